#pragma once

#include <string_view>

namespace kaleidra {

// The value of a spin field's text: the integer it spells (optional leading
// blanks, an optional sign, decimal digits, within 32 bits), or the minimum
// when it spells none. "", "-", "abc" and "1e9" all read as the minimum.
int ReadSpinText(std::string_view text, int minimum);

}  // namespace kaleidra
