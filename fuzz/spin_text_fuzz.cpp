// Any text in a spin field, with any minimum: reading it must not crash and
// must give the integer the text spells, or the minimum when it spells none.
// The first four bytes are the minimum, the rest is the text.

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/control_panel.h"
#include "core/spin_text.h"

namespace {

// Written the other way round from the program's reading: strip the zeros in
// front and compare lengths before converting, so the two share no overflow
// guard.
std::optional<int> Spelled(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    const std::size_t first_nonzero = text.find_first_not_of('0');
    std::string digits =
        first_nonzero == std::string_view::npos ? "0" : std::string(text.substr(first_nonzero));
    if (digits.size() > 10) return std::nullopt;
    const long long magnitude = std::stoll(digits);
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t minimum = -10;
    if (size >= 4) {
        std::memcpy(&minimum, data, 4);
        data += 4;
        size -= 4;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int read = kaleidra::ReadSpinText(text, minimum);
    const int expected = Spelled(text).value_or(minimum);
    if (read != expected) {
        std::fprintf(stderr, "text of %zu bytes, minimum %d: read %d, expected %d\n", size, minimum,
                     read, expected);
        std::abort();
    }

    // Typed into a field of the program's panel (the minimum picks which), the
    // text is kept and reads the same, and leaving the field brings it into range.
    kaleidra::ControlPanel panel;  // no scene: its handlers run no frame
    const auto field =
        kaleidra::SpinField(static_cast<std::uint32_t>(minimum) % kaleidra::kSpinFieldCount);
    const kaleidra::SpinRange range = kaleidra::RangeOf(field);
    panel.Type(field, text);
    const bool kept =
        panel.Text(field) == text && panel.Value(field) == Spelled(text).value_or(range.minimum);
    panel.Leave(field);
    if (!kept || panel.Value(field) < range.minimum || panel.Value(field) > range.maximum) {
        std::fprintf(stderr, "the panel did not keep, read or clamp the typed text\n");
        std::abort();
    }
    return 0;
}
