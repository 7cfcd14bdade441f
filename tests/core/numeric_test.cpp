#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "core/fp_checks.h"
#include "core/spin_text.h"

namespace kaleidra {
namespace {

FaultKind FaultOf(void (*operation)()) {
    try {
        operation();
    } catch (const FloatingPointFault& fault) {
        return fault.Kind();
    }
    ADD_FAILURE() << "no fault";
    return FaultKind::Overflow;
}

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(RoundToInt64(2.5), 2);
    EXPECT_EQ(RoundToInt64(3.5), 4);
    EXPECT_EQ(RoundToInt64(-2.5), -2);
    EXPECT_EQ(RoundToInt64(127.5), 128);
    EXPECT_EQ(RoundToInt64(0.49999999999999994), 0);
    EXPECT_EQ(RoundToInt64(-0.5), 0);
}

TEST(Rounding, OutsideSixtyFourBitsIsAnInvalidOperation) {
    EXPECT_EQ(RoundToInt64(-9223372036854775808.0), INT64_MIN);
    EXPECT_EQ(FaultOf([] { RoundToInt64(9223372036854775808.0); }), FaultKind::InvalidOperation);
    EXPECT_EQ(FaultOf([] { RoundToInt64(-9.3e18); }), FaultKind::InvalidOperation);
    EXPECT_EQ(FaultOf([] { RoundToInt64(1e300); }), FaultKind::InvalidOperation);
    EXPECT_EQ(FaultOf([] { RoundToInt64(std::nan("")); }), FaultKind::InvalidOperation);
}

TEST(Rounding, PixelCoordinatesKeepTheLowThirtyTwoBits) {
    EXPECT_EQ(RoundLow32(4294967296.0 + 7.0), 7);
    EXPECT_EQ(RoundLow32(2147483648.0), -2147483647 - 1);
    EXPECT_EQ(RoundLow32(-1.5), -2);
}

TEST(Checks, DivisionByZeroAndZeroByZeroAreDifferentFaults) {
    EXPECT_EQ(FaultOf([] { CheckedDiv(4.0, 0.0); }), FaultKind::DivisionByZero);
    EXPECT_EQ(FaultOf([] { CheckedDiv(-4.0, -0.0); }), FaultKind::DivisionByZero);
    EXPECT_EQ(FaultOf([] { CheckedDiv(0.0, 0.0); }), FaultKind::InvalidOperation);
    EXPECT_EQ(FaultOf([] { CheckedSqrt(-1e-300); }), FaultKind::InvalidOperation);
    EXPECT_EQ(CheckedDiv(1.0, 4.0), 0.25);
    EXPECT_EQ(CheckedSqrt(16916.0), std::sqrt(16916.0));
}

TEST(Checks, OverflowFaultsButUnderflowAndDenormalsDoNot) {
    EXPECT_EQ(FaultOf([] { CheckedMul(DBL_MAX, 1.5); }), FaultKind::Overflow);
    EXPECT_EQ(FaultOf([] { CheckedAdd(DBL_MAX, DBL_MAX); }), FaultKind::Overflow);
    EXPECT_EQ(FaultOf([] { CheckedSub(-DBL_MAX, DBL_MAX); }), FaultKind::Overflow);
    EXPECT_EQ(FaultOf([] { CheckedDiv(DBL_MAX, 0.5); }), FaultKind::Overflow);
    EXPECT_EQ(CheckedMul(DBL_MIN, DBL_MIN), 0.0);
    EXPECT_GT(CheckedMul(DBL_MIN, 0.5), 0.0);  // a denormal, not a fault
    EXPECT_EQ(CheckedAdd(DBL_MAX, 1.0), DBL_MAX);
}

TEST(SpinText, ReadsTheIntegerItSpellsOrTheMinimum) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"4", 4},
        {"-10", -10},
        {"+7", 7},
        {"  15", 15},
        {"007", 7},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", -3},
        {"-", -3},
        {"+", -3},
        {"abc", -3},
        {"1e9", -3},
        {"1,5", -3},
        {"1.5", -3},
        {"12 ", -3},
        {"2147483648", -3},
        {"-2147483649", -3},
        {"99999999999999999999999", -3},
        {"--1", -3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSpinText(c.text, -3), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace kaleidra
