#pragma once

#include <cstdint>

namespace kaleidra {

// The program's integers wrap on overflow instead of trapping; unsigned
// arithmetic gives that without undefined behaviour.
inline int WrappingAdd(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline int WrappingSub(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace kaleidra
