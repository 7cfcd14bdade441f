#include "core/spin_text.h"

#include <cstdint>

namespace kaleidra {

int ReadSpinText(std::string_view text, int minimum) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return minimum;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return minimum;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) return minimum;  // stops growth long before int64 overflows
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL) return minimum;
    return static_cast<int>(value);
}

}  // namespace kaleidra
