#pragma once

#include <cstdint>
#include <random>

namespace kaleidra {

// The one pseudo-random stream of the program: the random shape choice, the
// random shapes, the grow and shrink factors and the point shuffle all draw
// from it. Tests inject sources that always yield 0 or n - 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer from 0 to n - 1; 0 when n is 0 or less.
    virtual int Random(int n) = 0;
    // Reseed from the clock.
    virtual void Randomize() = 0;
};

// std::mt19937_64 seeded from the clock; uniform_int_distribution keeps the
// draws free of modulo bias.
class ClockRandomSource final : public RandomSource {
public:
    ClockRandomSource();
    int Random(int n) override;
    void Randomize() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace kaleidra
