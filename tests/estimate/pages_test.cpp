// Tests of the three estimating pages' computations, from the edit boxes'
// texts and the lists' selections to the result line.
#include "estimate/pages.h"

#include <gtest/gtest.h>

#include "rounding_modes.h"

#include <cfenv>
#include <optional>
#include <ostream>
#include <string>

namespace {

using estimate::BitrateInput;
using estimate::FileSizeInput;
using estimate::UncompressedInput;

template <typename Input>
struct PageCase {
    const char* name;
    Input input;
    const char* line;
};
template <typename Input>
void PrintTo(const PageCase<Input>& c, std::ostream* os) { *os << c.name; }

template <typename Case>
std::string case_name(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

constexpr int kKpbs = 0, kMbps = 1;  // file size page units
constexpr int kMB = 0, kGB = 1;      // bitrate page units
constexpr int kMono = 0, kStereo = 1;

// ---------------------------------------------------------------------------
// File size page: rates made whole Mbps, time made whole once, size truncated.

using FileSizeCase = PageCase<FileSizeInput>;

// Fields: video rate, audio rate, hours, minutes, seconds, video unit, audio unit.
const FileSizeCase kFileSizeCases[] = {
    {"OneHour", {"2000", "128", "1", "0", "0", kKpbs, kKpbs}, "≈450MB     ≈0.44GB"},
    {"NinetyMinutes", {"2000", "128", "0", "90", "0", kKpbs, kKpbs}, "≈675MB     ≈0.66GB"},
    {"HourAndHalf", {"2000", "128", "1", "30", "0", kKpbs, kKpbs}, "≈675MB     ≈0.66GB"},
    {"RatesBelow1024KpbsCountZero", {"1023", "1024", "1", "", "", kKpbs, kKpbs}, "≈450MB     ≈0.44GB"},
    {"RateIsCutNotRounded", {"2047", "", "1", "", "", kKpbs, kKpbs}, "≈450MB     ≈0.44GB"},
    {"BothInMbps", {"8", "1", "1", "0", "0", kMbps, kMbps}, "≈4050MB     ≈3.96GB"},
    {"SmallRatesVanish", {"800", "800", "2", "0", "0", kKpbs, kKpbs}, "≈0MB     ≈0GB"},
    {"AllEmpty", {"", "", "", "", "", kKpbs, kKpbs}, "≈0MB     ≈0GB"},
    {"SizeIsCutNotRounded", {"1", "", "0", "0", "7", kMbps, kKpbs}, "≈0MB     ≈0GB"},
    {"TenMegabytes", {"10", "", "", "", "8", kMbps, kKpbs}, "≈10MB     ≈0.01GB"},
    {"Large", {"3000", "", "2", "0", "0", kMbps, kKpbs}, "≈2700000MB     ≈2636.72GB"},
    {"NegativeRate", {"-8", "", "0", "1", "0", kMbps, kKpbs}, "≈-60MB     ≈-0.06GB"},
    // -1023 Kpbs is cut toward zero to 0 Mbps, not floored to -1.
    {"NegativeKpbsCutTowardZero", {"-1023", "8", "1", "", "", kKpbs, kMbps}, "≈3600MB     ≈3.52GB"},
    // 0.5 h + 0.5 min + 0.5 s = 1830.5 s, made whole once: 1830 s.
    {"TimeMadeWholeOnce", {"8", "", "0.5", "0.5", "0.5", kMbps, kKpbs}, "≈1830MB     ≈1.79GB"},
    {"FullWidthDigits", {"８", "", "　１", "", "", kMbps, kKpbs}, "≈3600MB     ≈3.52GB"},
    // Only selection 0 means Kpbs; no selection and unknown indexes take Mbps.
    {"NoSelectionIsMbps", {"8", "", "", "", "1", -1, kKpbs}, "≈1MB     ≈0GB"},
    {"UnknownSelectionIsMbps", {"", "8", "", "", "1", kKpbs, 5}, "≈1MB     ≈0GB"},
    {"RateWraps", {"3000000000", "", "", "", "8", kMbps, kKpbs}, "≈-1294967296MB     ≈-1264616.5GB"},
    {"RateBeyond64BitsIsZero", {"1e19", "8", "", "", "1", kMbps, kMbps}, "≈1MB     ≈0GB"},
    {"RunningTimeWraps", {"8", "", "1000000", "", "", kMbps, kKpbs}, "≈-694967296MB     ≈-678679GB"},
    // The two rates are added as doubles; only the size wraps.
    {"SizeWraps", {"2147483647", "1", "", "", "8", kMbps, kMbps}, "≈-2147483648MB     ≈-2097152GB"},
};

class FileSizeTable : public ::testing::TestWithParam<FileSizeCase> {};

TEST_P(FileSizeTable, ResultLine) {
    EXPECT_EQ(estimate::file_size_line(GetParam().input), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(FileSize, FileSizeTable, ::testing::ValuesIn(kFileSizeCases),
                         case_name<FileSizeCase>);

// ---------------------------------------------------------------------------
// Bitrate page: size made whole MB, time made whole once, bitrate truncated.

using BitrateCase = PageCase<BitrateInput>;

// Fields: size, hours, minutes, seconds, size unit.
const BitrateCase kBitrateCases[] = {
    {"HourAndHalf", {"700", "1", "30", "0", kMB}, "≈1024Kbps     ≈1Mbps"},
    {"NinetyMinutes", {"700", "0", "90", "0", kMB}, "≈1024Kbps     ≈1Mbps"},
    {"TenMbps", {"4500", "1", "0", "0", kMB}, "≈10240Kbps     ≈10Mbps"},
    {"Gigabytes", {"4", "2", "0", "0", kGB}, "≈4096Kbps     ≈4Mbps"},
    {"OneGigabyteInOneSecond", {"1", "0", "0", "1", kGB}, "≈8388608Kbps     ≈8192Mbps"},
    {"BitrateIsCutNotRounded", {"100", "1", "0", "0", kMB}, "≈0Kbps     ≈0Mbps"},
    {"NoRunningTime", {"700", "", "", "", kMB}, "≈0Kbps     ≈0Mbps"},
    {"AllEmpty", {"", "", "", "", kMB}, "≈0Kbps     ≈0Mbps"},
    {"NegativeSize", {"-700", "1", "30", "0", kMB}, "≈-1024Kbps     ≈-1Mbps"},
    {"NegativeRunningTime", {"700", "", "", "-1", kMB}, "≈-5734400Kbps     ≈-5600Mbps"},
    // Only selection 0 means MB; no selection and unknown indexes take GB.
    {"NoSelectionIsGigabytes", {"1", "", "", "1", -1}, "≈8388608Kbps     ≈8192Mbps"},
    {"UnknownSelectionIsGigabytes", {"4", "2", "", "", 5}, "≈4096Kbps     ≈4Mbps"},
    {"SizeMadeWholeBeforeBitrate", {"1.9", "", "", "1", kMB}, "≈8192Kbps     ≈8Mbps"},
    {"HalfGigabyte", {"0.5", "", "", "1", kGB}, "≈4194304Kbps     ≈4096Mbps"},
    // 0.5 min + 0.5 s = 30.5 s, made whole once: 30 s.
    {"TimeMadeWholeOnce", {"30", "", "0.5", "0.5", kMB}, "≈8192Kbps     ≈8Mbps"},
    {"BitrateWraps", {"2147483647", "", "", "1", kMB}, "≈-8192Kbps     ≈-8Mbps"},
    {"SizeWraps", {"2097153", "", "", "1", kGB}, "≈8388608Kbps     ≈8192Mbps"},
    {"SizeWrapsToMinimum", {"2097152", "", "", "1", kGB}, "≈0Kbps     ≈0Mbps"},
    // The Kbps figure is formed in doubles and does not wrap.
    {"KbpsBeyond32Bits", {"2147483647", "", "", "8", kMB}, "≈2199023254528Kbps     ≈2147483647Mbps"},
};

class BitrateTable : public ::testing::TestWithParam<BitrateCase> {};

TEST_P(BitrateTable, ResultLine) {
    EXPECT_EQ(estimate::bitrate_line(GetParam().input), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Bitrate, BitrateTable, ::testing::ValuesIn(kBitrateCases),
                         case_name<BitrateCase>);

// ---------------------------------------------------------------------------
// Uncompressed size page: video and audio parts made whole separately.

using UncompressedCase = PageCase<UncompressedInput>;

// Fields: width, height, depth, frame rate, sample rate, sample size,
// running time, channel selection.
const UncompressedCase kUncompressedCases[] = {
    {"FullHdTenSeconds", {"1920", "1080", "24", "25", "", "", "10", kStereo}, "≈1483MB≈1.45GB"},
    {"FullHdMinute", {"1920", "1080", "24", "25", "", "", "60", kStereo}, "≈8898MB≈8.69GB"},
    {"HdMinute", {"1280", "720", "24", "30", "", "", "60", kStereo}, "≈4746MB≈4.63GB"},
    {"VgaSecond", {"640", "480", "24", "25", "", "", "1", kStereo}, "≈21MB≈0.02GB"},
    {"VideoPartIsCut", {"640", "480", "8", "1", "", "", "1", kStereo}, "≈0MB≈0GB"},
    {"OnlyRunningTime", {"", "", "", "", "", "", "10", kStereo}, "≈0MB≈0GB"},
    {"BlankRunningTimeIsNotEmpty", {"1920", "1080", "24", "25", "", "", "   ", kStereo}, "≈0MB≈0GB"},
    {"RunningTimeIsNotMadeWhole", {"1920", "1080", "24", "25", "", "", "10.5", kStereo}, "≈1557MB≈1.52GB"},
    {"NegativeWidthCutTowardZero", {"-1920", "1080", "24", "25", "", "", "10", kStereo}, "≈-1483MB≈-1.45GB"},
    // 48000 Hz × 16 bit × 2 / 8 = 192000 bytes a second; 1920000 bytes are 1 MB.
    {"AudioPart", {"", "", "", "", "48000", "16", "10", kStereo}, "≈1MB≈0GB"},
    {"CdAudioHour", {"", "", "", "", "44100", "16", "3600", kStereo}, "≈605MB≈0.59GB"},
    {"MonoHalvesTheAudio", {"", "", "", "", "44100", "16", "3600", kMono}, "≈302MB≈0.29GB"},
    {"NoSelectionIsStereo", {"", "", "", "", "44100", "16", "3600", -1}, "≈605MB≈0.59GB"},
    {"UnknownSelectionIsStereo", {"", "", "", "", "44100", "16", "3600", 7}, "≈605MB≈0.59GB"},
    {"VideoPlusAudio", {"1920", "1080", "24", "25", "44100", "16", "3600", kStereo}, "≈534540MB≈522.01GB"},
    {"SumOfWholeParts", {"1920", "1080", "24", "25", "44100", "16", "10", kStereo}, "≈1484MB≈1.45GB"},
    {"NoSampleRateNoAudio", {"1920", "1080", "24", "25", "", "16", "10", kStereo}, "≈1483MB≈1.45GB"},
    {"NoSampleSizeNoAudio", {"1920", "1080", "24", "25", "48000", "", "10", kStereo}, "≈1483MB≈1.45GB"},
    // 44100.5 Hz × 1 bit / 8 = 5512.5625 bytes a second, made whole to 5512.
    {"BytesPerSecondMadeWhole", {"", "", "", "", "44100.5", "1", "2097152", kMono}, "≈11024MB≈10.77GB"},
    // 0.88 MB of video and 0.55 MB of audio: each part is cut to 0 first.
    {"PartsMadeWholeSeparately", {"640", "480", "8", "1", "48000", "16", "3", kStereo}, "≈0MB≈0GB"},
    {"VideoPartWraps", {"7680", "4320", "48", "120", "", "", "100000", kStereo},
     "≈-2016842296MB≈-1969572.55GB"},
    // 2147483647 MB of video and 1 MB of audio; the total wraps.
    {"TotalWraps", {"2147483647", "8388608", "1", "1", "1048576", "8", "1", kMono},
     "≈-2147483648MB≈-2097152GB"},
};

class UncompressedTable : public ::testing::TestWithParam<UncompressedCase> {};

TEST_P(UncompressedTable, ResultLine) {
    const std::optional<std::string> line = estimate::uncompressed_line(GetParam().input);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Uncompressed, UncompressedTable, ::testing::ValuesIn(kUncompressedCases),
                         case_name<UncompressedCase>);

TEST(Uncompressed, EmptyRunningTimeGivesNoLine) {
    EXPECT_EQ(estimate::uncompressed_line({"1920", "1080", "24", "25", "48000", "16", "", kStereo}),
              std::nullopt);
    EXPECT_EQ(estimate::uncompressed_line(UncompressedInput{}), std::nullopt);
}

// ---------------------------------------------------------------------------
// The lines do not depend on the rounding direction the caller left set.

class PagesUnderRoundingMode : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_EQ(std::fesetround(GetParam()), 0); }
    void TearDown() override { std::fesetround(FE_TONEAREST); }
};

TEST_P(PagesUnderRoundingMode, LinesHoldAndModeIsKept) {
    for (const auto& c : kFileSizeCases) {
        EXPECT_EQ(estimate::file_size_line(c.input), c.line) << c.name;
        ASSERT_EQ(std::fegetround(), GetParam());
    }
    for (const auto& c : kBitrateCases) {
        EXPECT_EQ(estimate::bitrate_line(c.input), c.line) << c.name;
        ASSERT_EQ(std::fegetround(), GetParam());
    }
    for (const auto& c : kUncompressedCases) {
        EXPECT_EQ(estimate::uncompressed_line(c.input).value_or("(none)"), c.line) << c.name;
        ASSERT_EQ(std::fegetround(), GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, PagesUnderRoundingMode,
                         other_rounding_modes, rounding_mode_name);

} // namespace
