// Tests of the conversions between texts and numbers.
#include "estimate/number_text.h"

#include <gtest/gtest.h>

#include "rounding_modes.h"

#include <bit>
#include <cfenv>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <locale>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using estimate::is_empty_text;
using estimate::join_texts;
using estimate::number_to_text;
using estimate::round_to;
using estimate::text_to_number;
using estimate::to_whole;

constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t bits_of(double d) { return std::bit_cast<std::uint64_t>(d); }
double from_bits(std::uint64_t b) { return std::bit_cast<double>(b); }

// Equality of the bit patterns: tells -0 from +0 and one NaN from another.
::testing::AssertionResult SameBits(double actual, double expected) {
    if (bits_of(actual) == bits_of(expected)) return ::testing::AssertionSuccess();
    char buf[160];
    std::snprintf(buf, sizeof buf, "got %.17g (0x%016llx), want %.17g (0x%016llx)", actual,
                  static_cast<unsigned long long>(bits_of(actual)), expected,
                  static_cast<unsigned long long>(bits_of(expected)));
    return ::testing::AssertionFailure() << buf;
}

// Texts in failure messages, with bytes outside printable ASCII escaped.
std::string escaped(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
            out.push_back(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out + "\"";
}

// ---------------------------------------------------------------------------
// text_to_number

struct TextCase {
    std::string_view text;
    double number;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << escaped(c.text); }

// Whole edit-box texts and the numbers they hold.
constexpr TextCase kTextCases[] = {
    {"", 0.0},
    {"   ", 0.0},
    {"42", 42.0},
    {"  42", 42.0},
    {"00042", 42.0},
    {"\t\n\v\f\r42", 42.0},
    {"42abc", 42.0},
    {"42 7", 42.0},
    {"42,5", 42.0},
    {"1,024", 1.0},
    {"abc", 0.0},
    {"约5", 0.0},
    {"0x1A", 0.0},
    {"inf", 0.0},
    {"nan", 0.0},
    {"infinity", 0.0},
    {"１２．５", 12.5},
    {"－３", -3.0},
    {"＋７", 7.0},
    {"１０２４", 1024.0},
    {"　12", 12.0},
    {"　１０２４", 1024.0},
    {"１ｅ３", 1000.0},
    {"１Ｅ３", 1000.0},
    {"１ｄ３", 1000.0},
    {"１Ｄ３", 1000.0},
    {"1\xEF\xBC\x8E" "5", 1.5},  // full-width full stop between one-byte digits
    {"+7", 7.0},
    {"-7", -7.0},
    {".5", 0.5},
    {"5.", 5.0},
    {"-.5", -0.5},
    {".", 0.0},
    {"-", 0.0},
    {"- 5", 0.0},
    {"+-3", 0.0},
    {"-0", -0.0},
    {"-0.000", -0.0},
    {"-0e99999999999999999999", -0.0},
    {"0e5", 0.0},
    {"1e3", 1000.0},
    {"1E+3", 1000.0},
    {"1d3", 1000.0},
    {"1D3", 1000.0},
    {"1e0003", 1000.0},
    {"2.5e-1", 0.25},
    {"2e", 2.0},
    {"2e+", 2.0},
    {"2ex", 2.0},
    {"2e-x", 2.0},
    {"2E 3", 2.0},
    {"1.2.3", 1.2},
    {"1..5", 1.0},
    {"1e400", kInf},
    {"-1e400", -kInf},
    {"1e-400", 0.0},
    {"-1e-400", -0.0},
    {"1e99999999999999999999", kInf},
    {"1.7976931348623157e308", 1.7976931348623157e308},
    {"1.8e308", kInf},
    {"3e-324", 4.9406564584124654e-324},  // rounds up to the smallest subnormal
    {"2e-324", 0.0},                      // below half of it
    {"0.1", 0.1},
    {"0.3", 0.3},
    {"123456789e-20", 123456789e-20},
    {"9007199254740993", 9007199254740992.0},  // tie between two doubles: even wins
    {"9007199254740993.0000000000000000001", 9007199254740994.0},
    {"\xE2\x88\x92" "5", 0.0},  // U+2212 MINUS SIGN is not a full-width form
};

class TextToNumberTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToNumberTable, ReadsTheNumberTheTextBeginsWith) {
    EXPECT_TRUE(SameBits(text_to_number(GetParam().text), GetParam().number));
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToNumberTable, ::testing::ValuesIn(kTextCases));

// Malformed UTF-8: an invalid byte is an ordinary byte that cannot continue
// a number, and nothing is read past the end of the text.
constexpr TextCase kMalformedCases[] = {
    {"\xEF", 0.0},
    {"\xEF\xBC", 0.0},                         // lead byte cut off at the end
    {"5\xEF\xBC", 5.0},
    {"\xEF\xBC\x95\xEF\xBC", 5.0},             // full-width five, then a cut-off character
    {"\xE3\x80", 0.0},
    {"\xE3\x80" "5", 0.0},                     // truncated ideographic space is not a blank
    {"\xE3\x80\x80" "5", 5.0},
    {"\x80" "5", 0.0},                         // stray continuation byte
    {"\xFF\xFE" "5", 0.0},
    {"\xC0\xB5", 0.0},                         // overlong encoding of '5'
    {"\xC3\xEF\xBC\x95", 0.0},                 // a broken lead byte stops the number
    {"\xEF\xBC\x80" "5", 0.0},                 // U+FF00 lies below the folded range
    {"7\xEF\xBD\x9F", 7.0},                    // U+FF5F lies above it
    {"\xEF\xBD\x9E" "5", 0.0},                 // U+FF5E folds to '~', not a number
    {std::string_view("5\0" "5", 3), 5.0},     // NUL inside ends the number
    {std::string_view("\0" "5", 2), 0.0},
    {std::string_view(" \0", 2), 0.0},
};

INSTANTIATE_TEST_SUITE_P(MalformedUtf8, TextToNumberTable, ::testing::ValuesIn(kMalformedCases));

TEST(TextToNumber, RandomBytesNeverGiveNaN) {
    // Bytes biased toward the ones the reader and the folding look at.
    static constexpr char kAlphabet[] = "0123456789+-.eEdD \t,x\xEF\xBC\xBD\xE3\x80\x95\x8E\xFF";
    std::mt19937 gen(12345);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);  // includes the NUL
    for (int round = 0; round < 20000; ++round) {
        std::string text(length(gen), '\0');
        for (char& c : text) c = kAlphabet[pick(gen)];
        const double x = text_to_number(text);
        ASSERT_FALSE(std::isnan(x)) << escaped(text);
    }
}

// A million digits are read in one pass, and the digits beyond what a double
// can tell apart still decide the rounding.
TEST(TextToNumber, MillionDigitTexts) {
    const std::string million(1'000'000, '0');

    EXPECT_TRUE(SameBits(text_to_number("1" + million), kInf));
    EXPECT_TRUE(SameBits(text_to_number("-" + std::string(1'000'000, '9')), -kInf));
    EXPECT_TRUE(SameBits(text_to_number("0." + million + "1"), 0.0));
    EXPECT_TRUE(SameBits(text_to_number(million + "42"), 42.0));
    EXPECT_TRUE(SameBits(text_to_number("1" + million + "e-1000000"), 1.0));
    EXPECT_TRUE(SameBits(text_to_number("0." + million + "25e1000001"), 2.5));
    EXPECT_TRUE(SameBits(text_to_number("1e" + million + "3"), 1000.0));

    // 2^53 + 1 lies exactly between two doubles; only the final digit says
    // which side the text is on.
    EXPECT_TRUE(SameBits(text_to_number("9007199254740993." + million), 9007199254740992.0));
    EXPECT_TRUE(SameBits(text_to_number("9007199254740993." + million + "1"), 9007199254740994.0));
    EXPECT_TRUE(SameBits(text_to_number("9007199254740993" + million + "e-1000000"),
                         9007199254740992.0));
}

// ---------------------------------------------------------------------------
// to_whole

struct WholeCase {
    double x;
    std::int32_t whole;
};
void PrintTo(const WholeCase& c, std::ostream* os) { *os << std::hexfloat << c.x; }

const WholeCase kWholeCases[] = {
    {3.99, 3},
    {-3.99, -3},
    {0.999, 0},
    {-0.999, 0},
    {-0.0, 0},
    {2147483647.9, 2147483647},
    {-2147483648.9, -2147483648},
    {2147483648.0, -2147483647 - 1},
    {-2147483649.0, 2147483647},
    {3000000000.0, -1294967296},
    {4294967296.0, 0},
    {4294967297.5, 1},
    {-4294967297.5, -1},
    {5000000000.0, 705032704},
    {1e18, -1486618624},
    {9223372036854774784.0, -1024},   // largest double below 2^63: low bits kept
    {-9223372036854773760.0, 2048},
    {9223372036854775808.0, 0},       // 2^63 is outside the 64-bit range
    {1e19, 0},
    {-1e19, 0},
    {kInf, 0},
    {-kInf, 0},
    {std::numeric_limits<double>::quiet_NaN(), 0},
    {4.9406564584124654e-324, 0},
};

class ToWholeTable : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ToWholeTable, TruncatesAndKeepsLow32Bits) {
    EXPECT_EQ(to_whole(GetParam().x), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(Doubles, ToWholeTable, ::testing::ValuesIn(kWholeCases));

// ---------------------------------------------------------------------------
// round_to

struct RoundCase {
    double x;
    std::int32_t decimals;
    double result;
    std::string_view text;
};
void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << std::hexfloat << c.x << " to " << c.decimals << " places";
}

const RoundCase kRoundCases[] = {
    {2.345, 2, 2.35, "2.35"},
    {2.675, 2, 2.68, "2.68"},
    {1.005, 2, 1.01, "1.01"},
    {0.125, 2, 0.13, "0.13"},
    {-0.125, 2, -0.13, "-0.13"},
    {0.0049999999999, 2, 0.0, "0"},
    {450.0 / 1024, 2, 0.44, "0.44"},
    {2700000.0 / 1024, 2, 2636.72, "2636.72"},
    {-60.0 / 1024, 2, -0.06, "-0.06"},
    {2097151.9990234375, 2, 2097152.0, "2097152"},
    {5.0, 2, 5.0, "5"},
    {450.0, 0, 450.0, "450"},
    {1023.5, 0, 1024.0, "1024"},
    {2.5, 0, 3.0, "3"},
    {-2.5, 0, -3.0, "-3"},
    {-0.5, 0, -1.0, "-1"},
    {0.4999999999995, 0, 1.0, "1"},
    {0.4999999999989, 0, 0.0, "0"},
    {-1e-13, 0, -0.0, "0"},
    {-0.0, 2, -0.0, "0"},
    // The nudge is absolute in scaled units: it still lifts the largest
    // double below 8192.5, but no longer the one below 16384.5.
    {8192.499999999998, 0, 8193.0, "8193"},
    {16384.499999999996, 0, 16384.0, "16384"},
    // Negative decimals round to tens, hundreds ...
    {1234.5, -2, 1200.0, "1200"},
    {1250.0, -2, 1300.0, "1300"},
    {-1250.0, -2, -1300.0, "-1300"},
    {1e300, 2, 1e300, "1e+300"},
    {kInf, 2, kInf, "1.#INF"},
    {-kInf, 0, -kInf, "-1.#INF"},
    // An infinity keeps itself however far the power of ten overflows.
    {kInf, -309, kInf, "1.#INF"},
    {-kInf, -400, -kInf, "-1.#INF"},
    {kInf, std::numeric_limits<std::int32_t>::min(), kInf, "1.#INF"},
    // Scales beyond the doubles: nothing to round at 10^-400, and no
    // fraction left to round to 400 places.
    {5.0, 400, 5.0, "5"},
    {5.0, std::numeric_limits<std::int32_t>::max(), 5.0, "5"},
    {1e308, -400, 0.0, "0"},
    {-5.0, std::numeric_limits<std::int32_t>::min(), -0.0, "0"},
    {4.9406564584124654e-324, 2, 0.0, "0"},
};

class RoundToTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToTable, RoundsHalvesAwayWithNudge) {
    const RoundCase& c = GetParam();
    const double r = round_to(c.x, c.decimals);
    EXPECT_TRUE(SameBits(r, c.result));
    EXPECT_EQ(number_to_text(r), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundToTable, ::testing::ValuesIn(kRoundCases));

TEST(RoundTo, NaNComesBackWithItsBits) {
    for (const std::uint64_t b : {0x7FF8000000000000ULL, 0xFFF8000000000000ULL,
                                  0x7FF0000000000001ULL, 0xFFFC0000DEADBEEFULL}) {
        EXPECT_EQ(bits_of(round_to(from_bits(b), 2)), b);
        EXPECT_EQ(bits_of(round_to(from_bits(b), 0)), b);
    }
}

// ---------------------------------------------------------------------------
// number_to_text

struct PrintCase {
    double x;
    std::string_view text;
};
void PrintTo(const PrintCase& c, std::ostream* os) { *os << std::hexfloat << c.x; }

const PrintCase kPrintCases[] = {
    {1.01, "1.01"},
    {1024.0, "1024"},
    {0.98, "0.98"},
    {1.5, "1.5"},
    {-0.5, "-0.5"},
    {2.50, "2.5"},
    {3.0, "3"},
    {0.1 + 0.2, "0.3"},
    {1.0 / 3, "0.3333333333333"},
    {2.0 / 3, "0.6666666666667"},
    {100000000.0, "100000000"},
    {-2147483648.0, "-2147483648"},
    {2199023255552.0, "2199023255552"},
    {9999999999999.0, "9999999999999"},
    {9999999999999.5, "1e+013"},
    {12345678901234.0, "1.234567890123e+013"},
    {123456789012345.0, "1.234567890123e+014"},
    {1e15, "1e+015"},
    {1e16, "1e+016"},
    {1.5e300, "1.5e+300"},
    {0.0001, "0.0001"},
    {0.000123456789012345, "0.0001234567890123"},
    {0.00001, "1e-005"},
    {-0.00001, "-1e-005"},
    {0.000099999999999995, "0.0001"},
    {0.00009999999999999, "9.999999999999e-005"},
    {0.0, "0"},
    {-0.0, "0"},
    {1e12, "1000000000000"},
    {999999999999.96, "1000000000000"},  // the carry stays in fixed form at E = 12
    {123456789012.5, "123456789012.5"},
    {1e100, "1e+100"},
    // The double nearest 1.2345678901235 lies just below it; its 17 digits
    // end "...235000", so the 14th digit rounds up.
    {1.2345678901235, "1.234567890124"},
    {-1.2345678901234e-300, "-1.234567890123e-300"},  // the longest form: 20 bytes
    {std::numeric_limits<double>::max(), "1.797693134862e+308"},
    {std::numeric_limits<double>::denorm_min(), "4.940656458412e-324"},
    {kInf, "1.#INF"},
    {-kInf, "-1.#INF"},
    {from_bits(0xFFF8000000000000ULL), "-1.#IND"},
    {from_bits(0x7FF8000000000000ULL), "1.#QNAN"},
    {from_bits(0xFFF8000000000001ULL), "-1.#QNAN"},
    {from_bits(0xFFFC000000000000ULL), "-1.#QNAN"},
    {from_bits(0x7FFFFFFFFFFFFFFFULL), "1.#QNAN"},
    {from_bits(0x7FF0000000000001ULL), "1.#SNAN"},
    {from_bits(0xFFF4000000000000ULL), "-1.#SNAN"},
    {from_bits(0x7FF7FFFFFFFFFFFFULL), "1.#SNAN"},
};

class NumberToTextTable : public ::testing::TestWithParam<PrintCase> {};

TEST_P(NumberToTextTable, PrintsThirteenDigitsAtMost) {
    EXPECT_EQ(number_to_text(GetParam().x), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Doubles, NumberToTextTable, ::testing::ValuesIn(kPrintCases));

TEST(NumberToText, NaNOfZeroDividedByZeroIsIndefinite) {
    volatile double zero = 0.0;
    const double nan = zero / zero;
    EXPECT_EQ(number_to_text(nan), "-1.#IND");
    EXPECT_EQ(number_to_text(-nan), "1.#QNAN");
}

// Digits and exponent of a printed number, for the property check below.
struct Shape {
    bool negative = false;
    bool exponent_form = false;
    std::string digits;  // significant digits as printed
};

// Checks the printed grammar: optional "-", then fixed form without trailing
// fraction zeros or a bare point, or d[.ddd]e±XXX. False on a mismatch.
bool parse_shape(const std::string& t, Shape& s) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-') { s.negative = true; ++i; }
    const std::size_t e = t.find('e');
    s.exponent_form = e != std::string::npos;
    const std::string body = t.substr(i, s.exponent_form ? e - i : std::string::npos);
    const std::size_t point = body.find('.');
    if (point == 0 || point + 1 == body.size()) return false;
    if (point != std::string::npos && body.back() == '0') return false;
    for (std::size_t k = 0; k < body.size(); ++k) {
        if (k == point) continue;
        if (body[k] < '0' || body[k] > '9') return false;
        if (s.digits.empty() && body[k] == '0') continue;
        s.digits.push_back(body[k]);
    }
    if (s.exponent_form) {
        if (point != std::string::npos && point != 1) return false;
        if (t.size() != e + 5 || (t[e + 1] != '+' && t[e + 1] != '-')) return false;
        for (std::size_t k = e + 2; k < t.size(); ++k)
            if (t[k] < '0' || t[k] > '9') return false;
    }
    return true;
}

// Many doubles of every magnitude: the text is never empty and at most 20
// bytes, keeps to the printed grammar, prints again unchanged when read back,
// and reads back to the value rounded to 13 significant digits.
TEST(NumberToText, PropertiesOverManyDoubles) {
    std::mt19937_64 gen(20240601);
    std::uniform_real_distribution<double> unit(1.0, 10.0);
    std::uniform_int_distribution<int> decade(-330, 310);
    std::vector<double> values;
    for (int k = 0; k < 60000; ++k) {
        const double raw = from_bits(gen());
        if (std::isfinite(raw) && raw != 0.0) values.push_back(raw);
    }
    for (int k = 0; k < 60000; ++k) {
        values.push_back(unit(gen) * std::pow(10.0, decade(gen)) * (k % 2 ? -1 : 1));
    }
    for (int p = -8; p <= 16; ++p) {  // around the switches between the two forms
        const double v = std::pow(10.0, p);
        for (double w = v, n = 0; n < 40; ++n) {
            values.push_back(w);
            w = std::nextafter(w, 0.0);
        }
    }

    int reference_checks = 0;
    for (const double x : values) {
        if (x == 0.0 || !std::isfinite(x)) continue;
        const std::string t = number_to_text(x);
        ASSERT_FALSE(t.empty());
        ASSERT_LE(t.size(), 20u) << t;

        Shape shape;
        ASSERT_TRUE(parse_shape(t, shape)) << t;
        ASSERT_LE(shape.digits.size(), 13u) << t;
        EXPECT_EQ(shape.negative, x < 0) << t;

        const double y = text_to_number(t);
        const double ay = std::fabs(y);
        EXPECT_EQ(shape.exponent_form, !(ay >= 1e-4 && ay < 1e13)) << t;
        EXPECT_LE(std::fabs(y - x), 5.1e-13 * std::fabs(x) + 5e-324) << t;
        EXPECT_EQ(number_to_text(y), t);

        // Direct rounding to 13 digits agrees unless the 17-digit string has
        // "5000" in places 14..17, where the two-step rounding may go up.
        char d17[32];
        auto r17 = std::to_chars(d17, d17 + sizeof d17, std::fabs(x), std::chars_format::scientific, 16);
        *r17.ptr = '\0';
        if (std::string_view(d17 + 14, 4) != "5000") {
            char d13[32];
            auto r13 = std::to_chars(d13, d13 + sizeof d13, x, std::chars_format::scientific, 12);
            double expected = 0;
            std::from_chars(d13, r13.ptr, expected);
            EXPECT_TRUE(SameBits(y, expected)) << t << " for " << d17;
            ++reference_checks;
        }
    }
    EXPECT_GT(reference_checks, 100000);
}

// ---------------------------------------------------------------------------
// is_empty_text and join_texts

TEST(IsEmptyText, OnlyATextOfNoBytesIsEmpty) {
    EXPECT_TRUE(is_empty_text(""));
    EXPECT_TRUE(is_empty_text(std::string_view()));
    EXPECT_FALSE(is_empty_text(" "));
    EXPECT_FALSE(is_empty_text("   "));
    EXPECT_FALSE(is_empty_text("　"));
    EXPECT_FALSE(is_empty_text(std::string_view("\0", 1)));
}

TEST(JoinTexts, ConcatenatesByteForByte) {
    EXPECT_EQ(join_texts({"≈", "450", "MB     ≈", "0.44", "GB"}), "≈450MB     ≈0.44GB");
    EXPECT_EQ(join_texts({"≈", "450", "MB     ≈", "0.44", "GB"}),
              "\xE2\x89\x88" "450MB     \xE2\x89\x88" "0.44GB");
    EXPECT_EQ(join_texts({"", "a", std::string_view(), "b", ""}), "ab");
    EXPECT_EQ(join_texts({std::string_view("x\0y", 3), "\xEF"}), std::string("x\0y\xEF", 4));
    EXPECT_EQ(join_texts({}), "");
}

// ---------------------------------------------------------------------------
// Independence from the caller's floating-point rounding direction

class UnderRoundingMode : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_EQ(std::fesetround(GetParam()), 0); }
    void TearDown() override { std::fesetround(FE_TONEAREST); }
};

TEST_P(UnderRoundingMode, TablesHoldAndModeIsKept) {
    const int mode = GetParam();
    for (const auto& c : kTextCases) {
        const double x = text_to_number(c.text);
        ASSERT_EQ(std::fegetround(), mode);
        EXPECT_TRUE(SameBits(x, c.number)) << escaped(c.text);
    }
    for (const auto& c : kWholeCases) {
        EXPECT_EQ(to_whole(c.x), c.whole) << c.x;
        ASSERT_EQ(std::fegetround(), mode);
    }
    for (const auto& c : kRoundCases) {
        const double r = round_to(c.x, c.decimals);
        ASSERT_EQ(std::fegetround(), mode);
        EXPECT_TRUE(SameBits(r, c.result)) << c.x << " to " << c.decimals;
    }
    for (const auto& c : kPrintCases) {
        const std::string t = number_to_text(c.x);
        ASSERT_EQ(std::fegetround(), mode);
        EXPECT_EQ(t, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, UnderRoundingMode,
                         other_rounding_modes, rounding_mode_name);

// ---------------------------------------------------------------------------
// Independence from the process locale

class UnderLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const std::string name = GetParam();
        for (const std::string& candidate : {name + ".UTF-8", name + ".utf8", name}) {
            if (std::setlocale(LC_ALL, candidate.c_str()) != nullptr) {
                try {
                    std::locale::global(std::locale(candidate));
                } catch (const std::runtime_error&) {
                    continue;
                }
                return;
            }
        }
        GTEST_SKIP() << "locale " << name << " is not installed";
    }
    void TearDown() override {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
};

TEST_P(UnderLocale, FullStopStaysTheSeparator) {
    EXPECT_TRUE(SameBits(text_to_number("1.5"), 1.5));
    EXPECT_TRUE(SameBits(text_to_number("1,5"), 1.0));
    EXPECT_TRUE(SameBits(text_to_number("1.234,5"), 1.234));
    EXPECT_TRUE(SameBits(text_to_number("２．５"), 2.5));
    EXPECT_EQ(number_to_text(1.5), "1.5");
    EXPECT_EQ(number_to_text(1234567.25), "1234567.25");
    EXPECT_EQ(number_to_text(-1.5e300), "-1.5e+300");
    EXPECT_EQ(number_to_text(round_to(2700000.0 / 1024, 2)), "2636.72");
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale, ::testing::Values("de_DE", "zh_CN", "fr_FR"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

} // namespace
