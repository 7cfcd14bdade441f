#include "core/random_source.h"

#include <chrono>

namespace kaleidra {

namespace {

std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

ClockRandomSource::ClockRandomSource() : engine_(ClockSeed()) {}

int ClockRandomSource::Random(int n) {
    if (n <= 0) return 0;
    std::uniform_int_distribution<int> draw(0, n - 1);
    return draw(engine_);
}

void ClockRandomSource::Randomize() {
    engine_.seed(ClockSeed());
}

}  // namespace kaleidra
