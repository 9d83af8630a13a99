#pragma once

#include <span>

namespace quorvex {

// The JPEG datastream of the picture shown by the support window, built into
// the program: 650 x 400, baseline, three components.
std::span<const unsigned char> support_picture_jpeg();

}  // namespace quorvex
