// The computations of the three estimating pages. Input texts are the edit
// boxes' texts as UTF-8; unit fields are the lists' current selection indexes
// (-1 for none). Each function returns the page's result line.
#pragma once

#include <optional>
#include <string>

namespace estimate {

struct FileSizeInput { std::string video_rate, audio_rate, hours, minutes, seconds; int video_unit = 0, audio_unit = 0; };
std::string file_size_line(const FileSizeInput&);

struct BitrateInput { std::string size, hours, minutes, seconds; int size_unit = 0; };
std::string bitrate_line(const BitrateInput&);

struct UncompressedInput { std::string width, height, depth, frame_rate, sample_rate, sample_size, duration; int channels_selection = 1; };
std::optional<std::string> uncompressed_line(const UncompressedInput&);   // nullopt: the running time is empty

} // namespace estimate
