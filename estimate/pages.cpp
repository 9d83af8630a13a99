#include "estimate/pages.h"

#include <cfenv>
#include <cstdint>

#include "estimate/number_text.h"
#include "estimate/nearest_rounding.h"

namespace estimate {
namespace {

using detail::NearestRounding;

// Hours, minutes and seconds summed in that order and made whole once.
std::int32_t running_time(const std::string& hours, const std::string& minutes,
                          const std::string& seconds) {
    return to_whole(text_to_number(hours) * 3600 + text_to_number(minutes) * 60 +
                    text_to_number(seconds));
}

// A bitrate typed in Kpbs (selection 0) or Mbps (any other selection), as whole Mbps.
std::int32_t rate_in_mbps(const std::string& text, int unit) {
    double rate = text_to_number(text);
    if (unit == 0) rate = rate / 1024;
    return to_whole(rate);
}

} // namespace

std::string file_size_line(const FileSizeInput& in) {
    const NearestRounding nearest;
    const std::int32_t video = rate_in_mbps(in.video_rate, in.video_unit);
    const std::int32_t audio = rate_in_mbps(in.audio_rate, in.audio_unit);
    const std::int32_t seconds = running_time(in.hours, in.minutes, in.seconds);

    const double sum = static_cast<double>(video) + static_cast<double>(audio);
    const std::int32_t size_mb = to_whole(sum * static_cast<double>(seconds) / 8);

    return join_texts({"≈", number_to_text(round_to(size_mb, 0)), "MB     ≈",
                       number_to_text(round_to(static_cast<double>(size_mb) / 1024, 2)), "GB"});
}

std::string bitrate_line(const BitrateInput& in) {
    const NearestRounding nearest;
    double size = text_to_number(in.size);
    if (in.size_unit != 0) size = size * 1024;  // GB
    const std::int32_t size_mb = to_whole(size);
    const std::int32_t seconds = running_time(in.hours, in.minutes, in.seconds);

    // A running time of 0 gives an infinity or NaN here, which to_whole makes 0.
    const std::int32_t mbps =
        to_whole(static_cast<double>(size_mb) * 8 / static_cast<double>(seconds));

    return join_texts({"≈", number_to_text(round_to(static_cast<double>(mbps) * 1024, 0)),
                       "Kbps     ≈", number_to_text(round_to(mbps, 2)), "Mbps"});
}

std::optional<std::string> uncompressed_line(const UncompressedInput& in) {
    if (is_empty_text(in.duration)) return std::nullopt;

    const NearestRounding nearest;
    const double channels = in.channels_selection == 0 ? 1 : 2;  // mono, else stereo

    const double width = text_to_number(in.width);
    const double height = text_to_number(in.height);
    const double depth = text_to_number(in.depth);
    const double frame_rate = text_to_number(in.frame_rate);
    const double duration = text_to_number(in.duration);

    // Bits to MB: 8 × 1024 × 1024.
    const std::int32_t video_mb =
        to_whole(width * height * depth * frame_rate * duration / 8388608);

    const double sample_size = text_to_number(in.sample_size);
    const double sample_rate = text_to_number(in.sample_rate);
    const std::int32_t bytes_per_second = to_whole(sample_size * sample_rate * channels / 8);
    const std::int32_t audio_mb =
        to_whole(static_cast<double>(bytes_per_second) * duration / 1048576);

    const std::int32_t total_mb =
        to_whole(static_cast<double>(video_mb) + static_cast<double>(audio_mb));

    return join_texts({"≈", number_to_text(round_to(total_mb, 2)), "MB≈",
                       number_to_text(round_to(static_cast<double>(total_mb) / 1024, 2)), "GB"});
}

} // namespace estimate
