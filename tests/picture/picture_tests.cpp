#include "jpeg_decode.h"
#include "support_picture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using quorvex::decode_jpeg;
using quorvex::RgbImage;
using Bytes = std::vector<unsigned char>;

Bytes support_bytes()
{
    const auto embedded = quorvex::support_picture_jpeg();
    return Bytes(embedded.begin(), embedded.end());
}

// One marker segment of a JPEG header: the marker's second byte, where its
// payload starts and how long the payload is.
struct Segment {
    unsigned char marker = 0;
    std::size_t payload = 0;
    std::size_t length = 0;
};

// Walks the marker segments from SOI up to and including SOS.
std::vector<Segment> header_segments(const Bytes& jpeg)
{
    std::vector<Segment> segments;
    if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) {
        ADD_FAILURE() << "no SOI marker";
        return segments;
    }
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF) {
            ADD_FAILURE() << "expected a marker at offset " << at;
            break;
        }
        const std::size_t length = (std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3]) - 2;
        segments.push_back({jpeg[at + 1], at + 4, length});
        if (jpeg[at + 1] == 0xDA) {
            break;
        }
        at += 4 + length;
    }
    return segments;
}

const Segment* find_segment(const std::vector<Segment>& segments, unsigned char marker)
{
    for (const Segment& s : segments) {
        if (s.marker == marker) {
            return &s;
        }
    }
    return nullptr;
}

std::size_t sof0_payload(const Bytes& jpeg)
{
    const auto segments = header_segments(jpeg);
    const Segment* sof = find_segment(segments, 0xC0);
    if (sof == nullptr) {
        ADD_FAILURE() << "no SOF0 segment";
        return 0;
    }
    return sof->payload;
}

// Where the entropy-coded data of the (single) scan begins.
std::size_t scan_data_start(const Bytes& jpeg)
{
    const auto segments = header_segments(jpeg);
    const Segment* sos = find_segment(segments, 0xDA);
    if (sos == nullptr) {
        ADD_FAILURE() << "no SOS segment";
        return 0;
    }
    return sos->payload + sos->length;
}

void put_u16(Bytes& jpeg, std::size_t at, unsigned value)
{
    jpeg[at] = static_cast<unsigned char>(value >> 8);
    jpeg[at + 1] = static_cast<unsigned char>(value & 0xFF);
}

// Encodes `samples` (components bytes per pixel, rows top to bottom) with
// libjpeg at quality 100 and no chroma subsampling.
Bytes encode(int width, int height, int components, const Bytes& samples)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long out_size = 0;
    jpeg_mem_dest(&info, &out, &out_size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(components);
    while (info.next_scanline < info.image_height) {
        // libjpeg takes non-const rows but only reads them.
        auto* row = const_cast<unsigned char*>(samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes jpeg(out, out + out_size);
    std::free(out);
    return jpeg;
}

Bytes flat_samples(int width, int height, int components, unsigned char value)
{
    return Bytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)
                     * static_cast<std::size_t>(components),
                 value);
}

bool near(int actual, int expected, int tolerance)
{
    return actual >= expected - tolerance && actual <= expected + tolerance;
}

// --- The embedded support picture -------------------------------------------

TEST(SupportPicture, IsBaselineEightBitYCbCr420)
{
    const Bytes jpeg = support_bytes();
    const auto segments = header_segments(jpeg);
    ASSERT_FALSE(segments.empty());
    for (const Segment& s : segments) {
        const bool other_frame_type = s.marker >= 0xC1 && s.marker <= 0xCF && s.marker != 0xC4
                                      && s.marker != 0xC8 && s.marker != 0xCC;
        EXPECT_FALSE(other_frame_type) << "frame marker FF" << std::hex << int{s.marker};
    }
    const Segment* sof = find_segment(segments, 0xC0);
    ASSERT_NE(sof, nullptr) << "no SOF0 (baseline) frame";
    ASSERT_EQ(sof->length, 6u + 3u * 3u);
    const unsigned char* p = jpeg.data() + sof->payload;
    EXPECT_EQ(p[0], 8) << "bits per sample";
    EXPECT_EQ(p[1] << 8 | p[2], 400) << "height";
    EXPECT_EQ(p[3] << 8 | p[4], 650) << "width";
    EXPECT_EQ(p[5], 3) << "components";
    EXPECT_EQ(p[7], 0x22) << "luma sampling";
    EXPECT_EQ(p[10], 0x11) << "Cb sampling";
    EXPECT_EQ(p[13], 0x11) << "Cr sampling";
    EXPECT_NE(find_segment(segments, 0xDA), nullptr) << "no scan";
}

// Catches a build that embeds a stale or mangled copy of the picture.
TEST(SupportPicture, MatchesTheCommittedFile)
{
    std::ifstream file(QUORVEX_SUPPORT_JPG, std::ios::binary);
    ASSERT_TRUE(file) << QUORVEX_SUPPORT_JPG;
    const Bytes on_disk{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(support_bytes(), on_disk);
}

TEST(SupportPicture, DecodesToTheCard)
{
    const auto image = decode_jpeg(quorvex::support_picture_jpeg());
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 650);
    EXPECT_EQ(image->height, 400);
    ASSERT_EQ(image->rgb.size(), std::size_t{650} * 400 * 3);

    // Samples from flat areas of the card, with room for JPEG's rounding.
    struct Pixel {
        const char* what;
        int x, y, r, g, b;
    };
    const Pixel pixels[] = {
        {"background, left", 30, 120, 31, 65, 92},
        {"background, right", 630, 150, 45, 110, 114},
        {"film strip", 20, 47, 14, 21, 29},
        {"sprocket hole", 12, 40, 217, 228, 234},
        {"first film frame", 20, 66, 45, 90, 121},
        {"last film frame", 610, 66, 176, 165, 111},
        {"line under the name", 325, 227, 255, 213, 136},
        {"chart bar", 560, 366, 83, 141, 142},
    };
    for (const Pixel& px : pixels) {
        SCOPED_TRACE(px.what);
        const std::size_t at = (static_cast<std::size_t>(px.y) * 650 + static_cast<std::size_t>(px.x)) * 3;
        EXPECT_TRUE(near(image->rgb[at], px.r, 8)) << "red " << int{image->rgb[at]};
        EXPECT_TRUE(near(image->rgb[at + 1], px.g, 8)) << "green " << int{image->rgb[at + 1]};
        EXPECT_TRUE(near(image->rgb[at + 2], px.b, 8)) << "blue " << int{image->rgb[at + 2]};
    }
}

// --- Decoding pictures of known content -------------------------------------

// An odd width (rows of 39 bytes) and different ramps per channel show up any
// padding, row order or channel order mistake.
TEST(DecodeJpeg, KeepsPixelLayoutAndChannelOrder)
{
    constexpr int width = 13;
    constexpr int height = 7;
    Bytes samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            samples.push_back(static_cast<unsigned char>(x * 255 / (width - 1)));
            samples.push_back(static_cast<unsigned char>(y * 255 / (height - 1)));
            samples.push_back(static_cast<unsigned char>(200 - x * 10));
        }
    }
    const auto image = decode_jpeg(encode(width, height, 3, samples));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    ASSERT_EQ(image->rgb.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        ASSERT_TRUE(near(image->rgb[i], samples[i], 8))
            << "pixel " << i / 3 << " channel " << i % 3 << ": " << int{image->rgb[i]}
            << " instead of " << int{samples[i]};
    }
}

TEST(DecodeJpeg, ExpandsGreyToRgb)
{
    const auto image = decode_jpeg(encode(5, 3, 1, flat_samples(5, 3, 1, 90)));
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->rgb.size(), std::size_t{5} * 3 * 3);
    for (const unsigned char v : image->rgb) {
        EXPECT_TRUE(near(v, 90, 2)) << int{v};
    }
}

struct SizeCase {
    int width;
    int height;
    bool decodes;
};

void PrintTo(const SizeCase& c, std::ostream* out)
{
    *out << c.width << "x" << c.height;
}

class DecodeJpegSize : public testing::TestWithParam<SizeCase> {};

TEST_P(DecodeJpegSize, AcceptsUpToTheSideLimit)
{
    const SizeCase c = GetParam();
    const auto image = decode_jpeg(encode(c.width, c.height, 3, flat_samples(c.width, c.height, 3, 128)));
    ASSERT_EQ(image.has_value(), c.decodes);
    if (c.decodes) {
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        EXPECT_EQ(image->rgb.size(), static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height) * 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Sides, DecodeJpegSize,
                         testing::Values(SizeCase{1, 1, true},
                                         SizeCase{quorvex::max_jpeg_side, 1, true},
                                         SizeCase{1, quorvex::max_jpeg_side, true},
                                         SizeCase{quorvex::max_jpeg_side + 1, 1, false},
                                         SizeCase{1, quorvex::max_jpeg_side + 1, false}),
                         [](const testing::TestParamInfo<SizeCase>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

// --- Damaged data -------------------------------------------------------------

struct Damage {
    const char* name;
    std::function<Bytes(Bytes)> apply;
};

void PrintTo(const Damage& d, std::ostream* out)
{
    *out << d.name;
}

class DecodeJpegDamaged : public testing::TestWithParam<Damage> {};

TEST_P(DecodeJpegDamaged, GivesNothing)
{
    const Bytes damaged = GetParam().apply(support_bytes());
    EXPECT_FALSE(decode_jpeg(damaged).has_value());
}

Bytes cut_to(Bytes jpeg, std::size_t size)
{
    jpeg.resize(size);
    return jpeg;
}

const Damage damages[] = {
    {"OnlySoi", [](Bytes j) { return cut_to(std::move(j), 2); }},
    {"CutInHeader", [](Bytes j) { return cut_to(std::move(j), 100); }},
    {"CutAtScanStart", [](Bytes j) { return cut_to(j, scan_data_start(j)); }},
    {"CutHalfway", [](Bytes j) { return cut_to(j, j.size() / 2); }},
    {"CutInLastRows", [](Bytes j) { return cut_to(j, j.size() - 200); }},
    // Every row is there; only the end-of-image marker is missing, which
    // libjpeg merely warns about.
    {"NoEndMarker", [](Bytes j) { return cut_to(j, j.size() - 2); }},
    // Stray bytes between the last row and the end marker are noticed only
    // when the decoder reads on to the end marker.
    {"JunkBeforeEndMarker",
     [](Bytes j) {
         j.insert(j.end() - 2, 64, 0x55);
         return j;
     }},
    {"NoStartMarker", [](Bytes j) { j[0] = 0; j[1] = 0; return j; }},
    // A marker in the middle of the scan ends the data early, again only a
    // warning for libjpeg.
    {"MarkerInScan",
     [](Bytes j) {
         const std::size_t at = (scan_data_start(j) + j.size()) / 2;
         j[at] = 0xFF;
         j[at + 1] = 0xD9;
         return j;
     }},
    {"ZeroHeight", [](Bytes j) { put_u16(j, sof0_payload(j) + 1, 0); return j; }},
    {"TwelveBitSamples", [](Bytes j) { j[sof0_payload(j)] = 12; return j; }},
    {"HugeWidth", [](Bytes j) { put_u16(j, sof0_payload(j) + 3, 60000); return j; }},
    {"HugeHeight", [](Bytes j) { put_u16(j, sof0_payload(j) + 1, 60000); return j; }},
    // Within the side limit, so decoding starts, but the data runs out.
    {"LargeClaimedSize",
     [](Bytes j) {
         const std::size_t sof = sof0_payload(j);
         put_u16(j, sof + 1, 16000);
         put_u16(j, sof + 3, 16000);
         return j;
     }},
};

INSTANTIATE_TEST_SUITE_P(SupportPicture, DecodeJpegDamaged, testing::ValuesIn(damages),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

struct Noise {
    unsigned seed;
    std::size_t size;
    bool with_soi;  // starts with a real SOI marker, so libjpeg reads further
};

std::string noise_name(const Noise& n)
{
    return "Seed" + std::to_string(n.seed) + "Bytes" + std::to_string(n.size) + (n.with_soi ? "AfterSoi" : "");
}

void PrintTo(const Noise& n, std::ostream* out)
{
    *out << noise_name(n);
}

class DecodeJpegNoise : public testing::TestWithParam<Noise> {};

TEST_P(DecodeJpegNoise, GivesNothing)
{
    const Noise n = GetParam();
    std::mt19937 random(n.seed);
    Bytes bytes(n.size);
    for (unsigned char& b : bytes) {
        b = static_cast<unsigned char>(random() & 0xFF);
    }
    if (n.with_soi) {
        bytes[0] = 0xFF;
        bytes[1] = 0xD8;
    }
    EXPECT_FALSE(decode_jpeg(bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(Seeds, DecodeJpegNoise,
                         testing::Values(Noise{1, 1, false}, Noise{2, 64, false}, Noise{3, 4096, false},
                                         Noise{4, 65536, false}, Noise{5, 64, true}, Noise{6, 4096, true},
                                         Noise{7, 65536, true}),
                         [](const testing::TestParamInfo<Noise>& info) { return noise_name(info.param); });

// Randomly damaged copies of a real picture reach far into libjpeg. Some
// still decode; whatever comes back must be a whole picture of the size it
// claims. Run under the sanitizers this also checks the error path's cleanup.
TEST(DecodeJpeg, SurvivesRandomDamage)
{
    const Bytes original = support_bytes();
    const std::size_t header_end = scan_data_start(original);
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Bytes damaged = original;
        // Every other copy is hit only in its header, where most of the
        // decoder's decisions are made.
        const std::size_t span = seed % 2 == 0 ? header_end : damaged.size();
        for (unsigned hits = 1 + random() % 6; hits > 0; --hits) {
            damaged[random() % span] = static_cast<unsigned char>(random() & 0xFF);
        }
        const auto image = decode_jpeg(damaged);
        if (image) {
            EXPECT_GT(image->width, 0);
            EXPECT_GT(image->height, 0);
            EXPECT_LE(image->width, quorvex::max_jpeg_side);
            EXPECT_LE(image->height, quorvex::max_jpeg_side);
            EXPECT_EQ(image->rgb.size(), static_cast<std::size_t>(image->width)
                                             * static_cast<std::size_t>(image->height) * 3);
        }
    }
}

TEST(DecodeJpeg, EmptyGivesNothing)
{
    EXPECT_FALSE(decode_jpeg({}).has_value());
}

}  // namespace
