// libFuzzer target for the JPEG decoder (app/picture/jpeg_decode.h).
//
// Any bytes: decode_jpeg returns, without crashing, leaking or hanging (the
// sanitizers and libFuzzer's -timeout and -rss_limit_mb see to those). When
// it returns a picture, the picture is what the header promised: both sides
// from 1 to max_jpeg_side and exactly width * height * 3 bytes.
//
// libjpeg itself comes from the system and carries no coverage
// instrumentation, so the fuzzer is guided only by our own code; the seed
// corpus (fuzz/corpus/fuzz_jpeg) supplies real pictures of several kinds to
// mutate.

#include "jpeg_decode.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = quorvex::decode_jpeg(std::span<const unsigned char>(data, size));
    if (!image) return 0;

    const bool sides_ok = image->width >= 1 && image->width <= quorvex::max_jpeg_side
                          && image->height >= 1 && image->height <= quorvex::max_jpeg_side;
    const std::size_t expected =
        static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 3;
    if (!sides_ok || image->rgb.size() != expected) {
        std::fprintf(stderr, "fuzz_jpeg: %d x %d picture with %zu bytes\n", image->width,
                     image->height, image->rgb.size());
        std::abort();
    }
    // Touch the first and last byte, so a buffer shorter than it claims shows up.
    volatile unsigned char sink = image->rgb.front();
    sink = image->rgb.back();
    (void)sink;
    return 0;
}
