// The number text conventions: the only conversions between texts and numbers.
// Texts are UTF-8. Every function is defined for every input and keeps no state.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace estimate {

// Reads the decimal number a text begins with (full-width forms folded first);
// a text that holds no number gives +0.
double text_to_number(std::string_view text);

// Truncates toward zero and keeps the low 32 bits of the 64-bit value;
// NaN, infinities and values outside the 64-bit range give 0.
std::int32_t to_whole(double x);

// Rounds to `decimals` places, halves away from zero, with a 1e-12 nudge in scaled units.
double round_to(double x, std::int32_t decimals);

// At most 13 significant digits, no trailing zeros; "1.#INF"-style texts for
// infinities and NaNs. Never empty, at most 20 bytes.
std::string number_to_text(double x);

// True only for a text of no bytes; blanks are not empty.
bool is_empty_text(std::string_view text);

// Concatenates the texts in order, byte for byte.
std::string join_texts(std::initializer_list<std::string_view> texts);

} // namespace estimate
