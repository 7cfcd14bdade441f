#include "core/fp_checks.h"

namespace kaleidra {

const char* FloatingPointFault::what() const noexcept {
    switch (kind_) {
        case FaultKind::DivisionByZero:
            return "floating-point division by zero";
        case FaultKind::InvalidOperation:
            return "invalid floating-point operation";
        case FaultKind::Overflow:
            return "floating-point overflow";
    }
    return "floating-point fault";
}

std::int64_t RoundToInt64(double v) {
    // -2^63 and 2^63 are exact doubles; everything in [-2^63, 2^63) fits.
    constexpr double kLow = -9223372036854775808.0;
    constexpr double kHigh = 9223372036854775808.0;
    // nearbyint honours the current rounding mode, which the program never
    // changes from the default round-half-to-even.
    const double r = std::nearbyint(v);
    if (!(r >= kLow && r < kHigh)) throw FloatingPointFault(FaultKind::InvalidOperation);
    return static_cast<std::int64_t>(r);
}

std::int32_t RoundLow32(double v) {
    const auto wide = static_cast<std::uint64_t>(RoundToInt64(v));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide & 0xFFFFFFFFu));
}

}  // namespace kaleidra
