#pragma once

#include <cmath>
#include <cstdint>
#include <exception>

namespace kaleidra {

// The floating-point faults that end a frame. Underflow, denormals and
// inexact results are ordinary IEEE results and never raise one.
enum class FaultKind { DivisionByZero, InvalidOperation, Overflow };

// Thrown by the checks below at the operation itself; the frame procedure
// catches it and runs the recovery.
class FloatingPointFault : public std::exception {
public:
    explicit FloatingPointFault(FaultKind kind) : kind_(kind) {}
    FaultKind Kind() const { return kind_; }
    const char* what() const noexcept override;

private:
    FaultKind kind_;
};

// Each check computes the plain IEEE result and raises the fault that a
// trapping processor would raise for it. Operands are finite wherever these
// are used, so an infinite result from finite operands is an overflow.

inline double OverflowChecked(double r, double a, double b) {
    if (std::isinf(r) && std::isfinite(a) && std::isfinite(b))
        throw FloatingPointFault(FaultKind::Overflow);
    return r;
}

inline double CheckedMul(double a, double b) {
    return OverflowChecked(a * b, a, b);
}
inline double CheckedAdd(double a, double b) {
    return OverflowChecked(a + b, a, b);
}
inline double CheckedSub(double a, double b) {
    return OverflowChecked(a - b, a, b);
}

// x / 0 is a division by zero, 0 / 0 an invalid operation.
inline double CheckedDiv(double a, double b) {
    if (b == 0.0) {
        throw FloatingPointFault(a == 0.0 || std::isnan(a) ? FaultKind::InvalidOperation
                                                           : FaultKind::DivisionByZero);
    }
    const double r = a / b;
    if (std::isinf(r) && std::isfinite(a)) throw FloatingPointFault(FaultKind::Overflow);
    return r;
}

// The square root of a negative number is an invalid operation.
inline double CheckedSqrt(double a) {
    if (a < 0.0 || std::isnan(a)) throw FloatingPointFault(FaultKind::InvalidOperation);
    return std::sqrt(a);
}

// Round to nearest, halves to even, as a signed 64-bit integer. A value that
// does not fit (or NaN) is an invalid operation.
std::int64_t RoundToInt64(double v);

// The pixel coordinate and colour channel rounding: round as above and keep
// the low 32 bits.
std::int32_t RoundLow32(double v);

}  // namespace kaleidra
