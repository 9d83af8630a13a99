// libFuzzer target for the number text conventions (estimate/number_text.h).
//
// The whole input is a text for text_to_number, which must agree with an
// independent reading (the grammar scanned here, the value from strtod) and
// must not care whether its characters come in full-width forms. Two doubles
// are then put through the other operations: the one whose bit pattern the
// first eight bytes give (every NaN, infinity and subnormal is reachable) and
// the one the text reads as (the short decimals people type). Byte nine picks
// the decimals for round_to.
//
// Checked for each double x:
//   number_to_text(x)  never empty, at most 20 bytes, well formed (fixed form
//                      exactly when the printed value lies in [1e-4, 1e13),
//                      otherwise d.ddde±DDD; no trailing zeros; at most 13
//                      significant digits); reading it back gives x rounded
//                      to 13 significant digits.
//   round_to(x, n)     keeps zeros, NaNs, infinities and the sign; for
//                      |n| <= 22 gives exactly the scaled value plus the
//                      1e-12 nudge rounded half away from zero and scaled
//                      back (x itself where the scaled value overflows),
//                      and prints with at most max(n, 0) decimals while
//                      |x| * 10^n stays below 1e12.
//   to_whole(x)        equals the low 32 bits of trunc(x), worked out with
//                      fmod, or 0 outside the 64-bit range.
//
// 13-digit rounding: the program rounds the exact value to 17 significant
// digits first (half away from zero) and that digit string to 13 by its 14th
// digit. The expected value is worked out both that way (from printf's
// %.16e) and directly from the exact value (%.12e). The two differ where
// double rounding bites, the 14th to 17th digits being 4999 with more
// digits after them that round the 17-digit string up to ...5000, and where
// the exact value ends in a half at the 14th digit, which printf breaks to
// even; either reading is accepted. Values are compared as doubles, so
// "0" for -0 reads back right.

#include "estimate/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "fuzz_number_text: %s: %s\n", what, detail.c_str());
    std::abort();
}

std::string describe(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a (%.17g)", x, x);
    return buf;
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

double next_toward_zero(double x) { return std::nextafter(x, 0.0); }

// ----------------------------------------------------------------- text_to_number

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool digit(char c) { return c >= '0' && c <= '9'; }

struct Reading {
    double value = 0.0;
    int significant_digits = 0;  // of the mantissa, leading zeros not counted
};

// The text with U+FF01..U+FF5E as ASCII and U+3000 as a blank, scanned from
// the left; anything else, malformed UTF-8 included, stays as it is.
std::string narrowed(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::string_view rest = s.substr(i);
        if (rest.size() >= 3) {
            const auto b1 = static_cast<unsigned char>(rest[1]);
            const auto b2 = static_cast<unsigned char>(rest[2]);
            // U+FF01..U+FF5E is EF BC 81..EF BD 9E; subtract the code points.
            const unsigned code = (static_cast<unsigned char>(rest[0]) & 0x0Fu) << 12
                                  | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
            const bool three_bytes = (rest[0] == '\xEF' || rest[0] == '\xE3')
                                     && (b1 & 0xC0u) == 0x80 && (b2 & 0xC0u) == 0x80;
            if (three_bytes && code >= 0xFF01 && code <= 0xFF5E) {
                out.push_back(static_cast<char>(code - 0xFF01 + 0x21));
                i += 3;
                continue;
            }
            if (three_bytes && code == 0x3000) {
                out.push_back(' ');
                i += 3;
                continue;
            }
        }
        out.push_back(s[i++]);
    }
    return out;
}

// The number a text begins with, by the plain grammar, after narrowing:
// blanks, a sign, digits with at most one full stop, then e/E/d/D, a sign and
// digits.
Reading reference_reading(std::string_view text) {
    const std::string s = narrowed(text);
    std::size_t i = 0;
    while (i < s.size() && blank(s[i])) ++i;
    std::string normal;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) normal.push_back(s[i++]);
    std::size_t digits = 0;
    Reading r;
    bool leading = true;
    auto take = [&](char c) {
        normal.push_back(c);
        ++digits;
        if (c != '0') leading = false;
        if (!leading) ++r.significant_digits;
    };
    while (i < s.size() && digit(s[i])) take(s[i++]);
    if (i < s.size() && s[i] == '.') {
        normal.push_back(s[i++]);
        while (i < s.size() && digit(s[i])) take(s[i++]);
    }
    if (digits == 0) return r;  // +0
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        if (j < s.size() && digit(s[j])) {
            while (j < s.size() && digit(s[j])) exponent.push_back(s[j++]);
            normal += exponent;
        }
    }
    r.value = std::strtod(normal.c_str(), nullptr);  // the C locale: a full stop
    return r;
}

// The same text with every printable ASCII character in its full-width form
// (U+FF01..U+FF5E) and every blank as the ideographic space (U+3000). No byte
// of the original can join with the bytes put in, so the folded text and
// therefore the number must stay exactly the same.
std::string widened(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 3);
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x20) {
            out += "\xE3\x80\x80";
        } else if (b >= 0x21 && b <= 0x5F) {
            out += "\xEF\xBC";
            out.push_back(static_cast<char>(b + 0x60));
        } else if (b >= 0x60 && b <= 0x7E) {
            out += "\xEF\xBD";
            out.push_back(static_cast<char>(b + 0x20));
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void check_text_to_number(std::string_view text) {
    const double got = estimate::text_to_number(text);
    if (std::isnan(got)) fail("text_to_number gave a NaN", std::string(text));

    const Reading want = reference_reading(text);
    // Beyond 17 significant digits the last bit is not fixed.
    const bool exact = want.significant_digits <= 17;
    if (!same_bits(got, want.value)
        && (exact || std::fabs(got - want.value) > std::fabs(want.value - next_toward_zero(want.value)))) {
        fail("text_to_number differs from the plain reading",
             "\"" + std::string(text) + "\": " + describe(got) + ", expected " + describe(want.value));
    }

    // Full-width input reads exactly like its one-byte form. Only for short
    // texts: the widened copy is three times as long.
    if (text.size() <= 256) {
        const double wide = estimate::text_to_number(widened(text));
        if (!same_bits(wide, got)) {
            fail("full-width text reads differently",
                 "\"" + std::string(text) + "\": " + describe(wide) + " vs " + describe(got));
        }
    }
}

// ------------------------------------------------------------------ number_to_text

// x rounded to 13 significant digits, read back as a double, both ways: from
// the exact value, and from the exact value rounded to 17 digits first.
struct Expected13 {
    double direct;
    double via17;
};

Expected13 rounded_to_13_digits(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12e", x);
    const double direct = std::strtod(buf, nullptr);

    // "-d.dddddddddddddddde±XX" -> 17 digits -> 13 digits, carry included.
    std::snprintf(buf, sizeof buf, "%.16e", std::fabs(x));
    std::string d;
    d.push_back(buf[0]);
    d.append(buf + 2, 16);
    int e = std::atoi(buf + 19);
    std::string m = d.substr(0, 13);
    if (d[13] >= '5') {
        int j = 12;
        while (j >= 0 && m[j] == '9') m[j--] = '0';
        if (j >= 0) {
            ++m[j];
        } else {
            m.insert(m.begin(), '1');
            m.pop_back();
            ++e;
        }
    }
    const std::string text = (x < 0 ? "-" : "") + m.substr(0, 1) + "." + m.substr(1) + "e" + std::to_string(e);
    return {direct, std::strtod(text.c_str(), nullptr)};
}

// Checks the shape of a finite number's text and returns its decimals, the
// number of digits after the point once the exponent is applied.
int check_shape(const std::string& t, double x) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-') ++i;
    const std::size_t begin = i;
    while (i < t.size() && digit(t[i])) ++i;
    const std::size_t int_digits = i - begin;
    std::size_t frac_digits = 0;
    if (i < t.size() && t[i] == '.') {
        ++i;
        const std::size_t f = i;
        while (i < t.size() && digit(t[i])) ++i;
        frac_digits = i - f;
        if (frac_digits == 0 || t[i - 1] == '0') fail("trailing zero or bare point", t + " for " + describe(x));
    }
    if (int_digits == 0) fail("no digit before the point", t + " for " + describe(x));
    int exponent = 0;
    const bool exponent_form = i < t.size();
    if (exponent_form) {
        // d[.ddd]e±DDD, d not 0
        if (int_digits != 1 || t[begin] == '0' || t.size() != i + 5 || t[i] != 'e'
            || (t[i + 1] != '+' && t[i + 1] != '-') || !digit(t[i + 2]) || !digit(t[i + 3])
            || !digit(t[i + 4])) {
            fail("malformed exponent form", t + " for " + describe(x));
        }
        exponent = std::atoi(t.c_str() + i + 2) * (t[i + 1] == '-' ? -1 : 1);
        if (exponent >= -4 && exponent <= 12) fail("exponent form inside the fixed range", t + " for " + describe(x));
    } else if (int_digits > 1 && t[begin] == '0') {
        fail("leading zero", t + " for " + describe(x));
    }

    // Significant digits: skip leading zeros of "0.000ddd".
    std::size_t significant = 0;
    bool leading = true;
    for (std::size_t k = begin; k < t.size() && t[k] != 'e'; ++k) {
        if (t[k] == '.') continue;
        if (t[k] != '0') leading = false;
        if (!leading) ++significant;
    }
    if (significant > 13) fail("more than 13 significant digits", t + " for " + describe(x));

    const double back = std::fabs(std::strtod(t.c_str(), nullptr));
    const bool fixed_range = back == 0.0 || (back >= 1e-4 && back < 1e13);
    if (fixed_range == exponent_form) fail("fixed or exponent form in the wrong range", t + " for " + describe(x));

    const int decimals = static_cast<int>(frac_digits) - exponent;
    return decimals < 0 ? 0 : decimals;
}

// Returns the decimals of the printed x (0 for non-finite values).
int check_number_to_text(double x) {
    const std::string t = estimate::number_to_text(x);
    if (t.empty() || t.size() > 20) fail("text empty or longer than 20 bytes", "\"" + t + "\" for " + describe(x));

    if (!std::isfinite(x)) {
        const bool minus = t[0] == '-';
        const std::string_view rest = std::string_view(t).substr(minus ? 1 : 0);
        const bool inf_text = rest == "1.#INF";
        if (minus != std::signbit(x) || rest.substr(0, 3) != "1.#" || inf_text != std::isinf(x)) {
            fail("wrong special text", t + " for " + describe(x));
        }
        return 0;
    }

    const int decimals = check_shape(t, x);
    const double back = estimate::text_to_number(t);
    const Expected13 want = rounded_to_13_digits(x);
    if (back != want.direct && back != want.via17) {  // == : "0" for -0 is right
        fail("printed text does not read back as 13 digits",
             "\"" + t + "\" for " + describe(x) + ", expected " + describe(want.direct));
    }
    return decimals;
}

// ------------------------------------------------------------------------ round_to

// 10^k for 0 <= k <= 22, the powers of ten that are exact doubles.
double exact_power_of_ten(int k) {
    double p = 1.0;
    for (int j = 0; j < k; ++j) p *= 10.0;  // exact all the way
    return p;
}

void check_round_to(double x, std::int32_t n) {
    const double r = estimate::round_to(x, n);
    const std::string call = "round_to(" + describe(x) + ", " + std::to_string(n) + ") = " + describe(r);
    if (x == 0.0 || std::isnan(x) || std::isinf(x)) {
        if (!same_bits(r, x)) fail("a zero, NaN or infinity must come back as it is", call);
        return;
    }
    // The sign is kept even when the value rounds to zero (-1e-13 gives -0).
    if (std::signbit(r) != std::signbit(x)) fail("sign changed", call);
    const int decimals = check_number_to_text(r);

    if (n < -22 || n > 22) return;
    // The rounding rule, where 10^|n| is an exact double and so one IEEE
    // operation is the exact operation rounded: scale, add the nudge, round
    // halves away from zero (std::round), scale back.
    const double p = exact_power_of_ten(n < 0 ? -n : n);
    const double a = std::fabs(x);
    const double y = n > 0 ? a * p : n == 0 ? a : a / p;
    const double i = std::round(y + 0.000000000001);
    const double want = std::copysign(n > 0 ? i / p : n == 0 ? i : i * p, x);
    // A scaled value beyond the doubles has no fraction left to round, and
    // the library gives the number back as it is; carried through in plain
    // double arithmetic it becomes an infinity. Either is accepted.
    const bool kept = std::isinf(y) && same_bits(r, x);
    if (!same_bits(r, want) && !kept) fail("not rounded as specified", call + ", expected " + describe(want));

    if (decimals > (n > 0 ? n : 0) && y < 1e12) {
        fail("more decimals printed than asked for", call + " prints " + estimate::number_to_text(r));
    }
}

// ------------------------------------------------------------------------ to_whole

void check_to_whole(double x) {
    const std::int32_t got = estimate::to_whole(x);
    std::int32_t want = 0;
    const double t = std::trunc(x);
    if (std::isfinite(x) && t >= -0x1p63 && t < 0x1p63) {
        double low = std::fmod(t, 0x1p32);  // exact
        if (low < 0) low += 0x1p32;
        if (low >= 0x1p31) low -= 0x1p32;
        want = static_cast<std::int32_t>(low);
    }
    if (got != want) {
        fail("to_whole", describe(x) + " -> " + std::to_string(got) + ", expected " + std::to_string(want));
    }
}

void check_double(double x, std::int32_t n) {
    check_number_to_text(x);
    check_round_to(x, n);
    check_to_whole(x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check_text_to_number(text);

    // Decimals from byte nine: mostly a small range, sometimes far outside it.
    std::int32_t n = 2;
    if (size > 8) {
        const auto b = static_cast<std::int8_t>(data[8]);
        n = (b >= -46 && b < 46) ? b % 23 : static_cast<std::int32_t>(b) * 1000003;
    }

    if (size >= 8) {
        double bits_x = 0;
        std::memcpy(&bits_x, data, sizeof bits_x);
        check_double(bits_x, n);
    }
    check_double(estimate::text_to_number(text), n);
    return 0;
}
