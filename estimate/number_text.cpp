#include "estimate/number_text.h"
#include "estimate/nearest_rounding.h"

#include <array>
#include <bit>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <system_error>

namespace estimate {
namespace {

using detail::NearestRounding;

// Passes a value through a volatile object. The compiler keeps volatile
// accesses in program order with the calls that change the rounding
// direction, so inline arithmetic between a pinned input and a pinned
// result cannot drift outside a NearestRounding scope.
double pinned(double v) {
    volatile double slot = v;
    return slot;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Folds the full-width forms U+FF01..U+FF5E to the ASCII characters
// U+0021..U+007E and the ideographic space U+3000 to a blank; every other
// byte is copied as it is. Matching the three-byte encodings directly is
// the same as decoding: 0xEF and 0xE3 are lead bytes, never continuation
// bytes, so a match can only start at a character boundary, and malformed
// bytes simply fail to match and are kept.
std::string fold_full_width(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (i + 2 < n) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            if (b0 == 0xEF && b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) {  // U+FF01..U+FF3F
                out.push_back(static_cast<char>(b2 - 0x60));
                i += 3;
                continue;
            }
            if (b0 == 0xEF && b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E) {  // U+FF40..U+FF5E
                out.push_back(static_cast<char>(b2 - 0x20));
                i += 3;
                continue;
            }
            if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) {  // U+3000
                out.push_back(' ');
                i += 3;
                continue;
            }
        }
        out.push_back(static_cast<char>(b0));
        ++i;
    }
    return out;
}

// Digits kept for the conversion. Every midpoint between two adjacent
// doubles has at most 767 significant digits, so 768 digits plus one sticky
// digit standing for everything dropped round exactly like the full text.
constexpr std::size_t kKeptDigits = 768;

// Exponents are clamped far beyond the range of doubles, which keeps the
// arithmetic on them small however long the text is.
constexpr long long kExponentClamp = 1'000'000'000;

// Reads the number at the start of an already folded text; +0 when there is none.
double read_decimal(const std::string& s) {
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n && is_blank(s[i])) ++i;

    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    // Mantissa. `digits` collects the significant digits (leading zeros
    // dropped); `point_exponent` is the power of ten of the first of them.
    std::string digits;
    digits.reserve(kKeptDigits + 1);
    bool dropped_nonzero = false;
    long long point_exponent = 0;
    std::size_t mantissa_digits = 0;

    auto take = [&](char c, bool before_point) {
        ++mantissa_digits;
        if (digits.empty()) {
            if (c == '0') {
                if (!before_point) --point_exponent;
                return;
            }
            if (!before_point) --point_exponent;
        } else if (before_point) {
            ++point_exponent;
        }
        if (digits.size() < kKeptDigits) {
            digits.push_back(c);
        } else if (c != '0') {
            dropped_nonzero = true;
        }
    };

    while (i < n && is_digit(s[i])) take(s[i++], true);
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && is_digit(s[i])) take(s[i++], false);
    }
    if (mantissa_digits == 0) return 0.0;  // "", ".", "-", "+-3", "abc" ...

    // Exponent: a letter e/E/d/D, an optional sign and at least one digit;
    // without a digit the letter is not part of the number.
    long long exponent = 0;
    if (i < n && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) {
            exponent_negative = s[j] == '-';
            ++j;
        }
        if (j < n && is_digit(s[j])) {
            while (j < n && is_digit(s[j])) {
                if (exponent < kExponentClamp) exponent = exponent * 10 + (s[j] - '0');
                ++j;
            }
            if (exponent_negative) exponent = -exponent;
        }
    }

    if (digits.empty()) return negative ? -0.0 : 0.0;

    // For an all-fraction mantissa point_exponent already counts down from
    // -1; for one with an integer part it counts the integer digits after
    // the first. Either way it is the decimal exponent of the first digit.
    long long first_exponent = point_exponent + exponent;
    if (first_exponent > 400) return negative ? -std::numeric_limits<double>::infinity()
                                              : std::numeric_limits<double>::infinity();
    if (first_exponent < -400) return negative ? -0.0 : 0.0;

    if (dropped_nonzero) digits.push_back('1');
    const long long scaled_exponent =
        first_exponent - static_cast<long long>(digits.size()) + 1;

    std::string normal = std::move(digits);
    normal.push_back('e');
    std::array<char, 24> buf{};
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), scaled_exponent);
    (void)ec;  // a long long always fits
    normal.append(buf.data(), end);

    double value = 0.0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value,
                                        std::chars_format::scientific);
    if (result.ec == std::errc::result_out_of_range) {
        value = first_exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

// Powers of ten up to 10^22 are exact doubles; beyond, the nearest double
// (infinity above the range of doubles).
double power_of_ten(long long k) {
    static constexpr double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (k <= 22) return exact[k];
    if (k > 308) return std::numeric_limits<double>::infinity();
    std::array<char, 8> text{'1', 'e'};
    const auto [end, ec] = std::to_chars(text.data() + 2, text.data() + text.size(), k);
    (void)ec;
    double p = 0.0;
    std::from_chars(text.data(), end, p);
    return p;
}

// The special texts of infinities and NaNs, told apart by their bits.
const char* special_text(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = (bits >> 63) != 0;
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    constexpr std::uint64_t quiet = std::uint64_t{1} << 51;
    if (fraction == 0) return negative ? "-1.#INF" : "1.#INF";
    if (negative && fraction == quiet) return "-1.#IND";  // what 0/0 produces
    if ((fraction & quiet) != 0) return negative ? "-1.#QNAN" : "1.#QNAN";
    return negative ? "-1.#SNAN" : "1.#SNAN";
}

} // namespace

double text_to_number(std::string_view text) {
    const NearestRounding nearest;  // std::from_chars follows the rounding direction
    return read_decimal(fold_full_width(text));
}

std::int32_t to_whole(double x) {
    // Truncation, comparison and the conversion of a whole double are exact,
    // so the result does not depend on the rounding direction.
    std::int64_t wide = std::numeric_limits<std::int64_t>::min();
    if (std::isfinite(x)) {
        const double t = std::trunc(x);
        if (t >= -9223372036854775808.0 && t < 9223372036854775808.0) {
            wide = static_cast<std::int64_t>(t);
        }
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

double round_to(double x, std::int32_t decimals) {
    // Zero, NaN and the infinities round to themselves (an infinity divided by
    // an infinite power of ten would otherwise turn into a NaN).
    if (x == 0.0 || std::isnan(x) || std::isinf(x)) return x;

    const NearestRounding nearest;
    const double a = pinned(std::fabs(x));
    const long long k = decimals < 0 ? -static_cast<long long>(decimals) : decimals;
    const double p = power_of_ten(k);

    const double y = decimals > 0 ? a * p : decimals == 0 ? a : a / p;
    // A scaled value beyond the doubles has no fraction left to round at
    // this scale: keep the number.
    if (std::isinf(y)) return x;

    const double z = pinned(y + 0.000000000001);
    double i = std::trunc(z);
    const double f = z - i;
    if (f >= 0.5) i += 1.0;

    double r = 0.0;
    if (decimals > 0) {
        r = i / p;
    } else if (decimals == 0) {
        r = i;
    } else if (i != 0.0) {  // 0 stays 0 even where 10^-n is infinite
        r = i * p;
    }
    r = pinned(r);
    return std::signbit(x) ? -r : r;
}

std::string number_to_text(double x) {
    if (!std::isfinite(x)) return special_text(x);
    if (x == 0.0) return "0";

    // Step one: 17 significant digits, correctly rounded from the exact
    // value ("d.dddddddddddddddde±XX"). std::to_chars breaks an exact tie
    // to even rather than away from zero. That cannot change the text: the
    // two differ only when the 17th digit is even, where rounding away just
    // raises that digit by one without a carry, and the second step looks
    // at nothing after the 14th digit.
    std::array<char, 40> sci{};
    std::to_chars_result conv{};
    {
        const NearestRounding nearest;
        conv = std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(x),
                             std::chars_format::scientific, 16);
    }
    std::array<char, 17> d{};
    d[0] = sci[0];
    std::memcpy(d.data() + 1, sci.data() + 2, 16);
    int e = 0;
    {
        const char* exp_begin = sci.data() + 19;  // after "d.", 16 digits and 'e'
        if (*exp_begin == '+') ++exp_begin;
        std::from_chars(exp_begin, conv.ptr, e);
    }

    // Step two: 13 significant digits from the 17, the 14th deciding, with carry.
    std::array<char, 13> m{};
    std::memcpy(m.data(), d.data(), 13);
    if (d[13] >= '5') {
        int j = 12;
        while (j >= 0 && m[j] == '9') m[j--] = '0';
        if (j >= 0) {
            ++m[j];
        } else {
            m[0] = '1';  // all nines: 10^(E+1), the rest are zeros already
            ++e;
        }
    }
    int used = 13;
    while (used > 1 && m[used - 1] == '0') --used;

    std::string out;
    out.reserve(20);
    if (x < 0) out.push_back('-');
    if (e >= -4 && e <= 12) {
        if (e < 0) {
            out.append("0.");
            out.append(static_cast<std::size_t>(-e - 1), '0');
            out.append(m.data(), static_cast<std::size_t>(used));
        } else {
            const int whole = e + 1;
            if (used <= whole) {
                out.append(m.data(), static_cast<std::size_t>(used));
                out.append(static_cast<std::size_t>(whole - used), '0');
            } else {
                out.append(m.data(), static_cast<std::size_t>(whole));
                out.push_back('.');
                out.append(m.data() + whole, static_cast<std::size_t>(used - whole));
            }
        }
    } else {
        out.push_back(m[0]);
        if (used > 1) {
            out.push_back('.');
            out.append(m.data() + 1, static_cast<std::size_t>(used - 1));
        }
        out.push_back('e');
        out.push_back(e < 0 ? '-' : '+');
        const int ae = e < 0 ? -e : e;
        out.push_back(static_cast<char>('0' + ae / 100));
        out.push_back(static_cast<char>('0' + ae / 10 % 10));
        out.push_back(static_cast<char>('0' + ae % 10));
    }
    return out;
}

bool is_empty_text(std::string_view text) { return text.empty(); }

std::string join_texts(std::initializer_list<std::string_view> texts) {
    std::size_t total = 0;
    for (const auto t : texts) total += t.size();
    std::string out;
    out.reserve(total);
    for (const auto t : texts) out.append(t);
    return out;
}

} // namespace estimate
