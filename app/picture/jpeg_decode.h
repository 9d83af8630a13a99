#pragma once

#include <optional>
#include <span>
#include <vector>

namespace quorvex {

// A decoded picture: three bytes (red, green, blue) per pixel, rows from top
// to bottom, each row exactly width * 3 bytes long.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Pictures wider or taller than this are refused before anything is allocated
// for them.
inline constexpr int max_jpeg_side = 16384;

// Decodes a complete JPEG datastream held in memory. Returns nothing when the
// data is empty, truncated, corrupt, not a JPEG, larger than max_jpeg_side on
// either side, or makes libjpeg so much as warn.
std::optional<RgbImage> decode_jpeg(std::span<const unsigned char> bytes);

}  // namespace quorvex
