#include "jpeg_decode.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <new>

#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, which must not return.
// Ours longjmps back to the function that made the libjpeg call. Each of the
// three functions below that call libjpeg sets its own jump point first, and
// between that point and its libjpeg calls its frame holds only plain scalars,
// so the jump skips no destructor; the frames it unwinds are libjpeg's own C
// frames. Everything that owns memory lives in decode_jpeg, which is never
// jumped over: its only libjpeg call is the final destroy, which cannot fail.

namespace quorvex {
namespace {

// The output buffer grows as rows are actually decoded, so a header that lies
// about the size costs little: memory is reserved up front only up to
// reserve_limit, and beyond it added rows_per_step rows at a time.
constexpr int rows_per_step = 256;
constexpr std::size_t reserve_limit = std::size_t{16} * 1024 * 1024;

// Limit for libjpeg's whole-image buffers (used by progressive and
// multi-scan files). Past it libjpeg would need a temporary file, which this
// build does not have, so it fails instead.
constexpr long libjpeg_memory_limit = 256L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;  // first member: libjpeg sees only this part
    std::jmp_buf jump;
};

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager error;
};

[[noreturn]] void fail(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(error->jump, 1);
}

// Level -1 is a warning: libjpeg would carry on past damaged data, filling in
// grey. A picture that is not exactly what was stored counts as a failure.
void on_message(j_common_ptr info, int level)
{
    if (level < 0) {
        fail(info);
    }
}

void stay_quiet(j_common_ptr) {}

// Sets up libjpeg on the data and reads the header. Returns false on failure;
// the caller destroys the decoder either way.
bool start(Decoder& decoder, const unsigned char* data, std::size_t size)
{
    decoder.info.err = jpeg_std_error(&decoder.error.pub);
    decoder.error.pub.error_exit = fail;
    decoder.error.pub.emit_message = on_message;
    decoder.error.pub.output_message = stay_quiet;
    if (setjmp(decoder.error.jump)) {
        return false;
    }
    jpeg_create_decompress(&decoder.info);
    decoder.info.mem->max_memory_to_use = libjpeg_memory_limit;
    jpeg_mem_src(&decoder.info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&decoder.info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    if (decoder.info.image_width > static_cast<JDIMENSION>(max_jpeg_side)
        || decoder.info.image_height > static_cast<JDIMENSION>(max_jpeg_side)) {
        return false;
    }
    decoder.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder.info);
    return decoder.info.output_components == 3
        && decoder.info.output_width == decoder.info.image_width
        && decoder.info.output_height == decoder.info.image_height;
}

// Decodes the next `rows` rows into `out`, one row every `stride` bytes.
bool read_rows(Decoder& decoder, unsigned char* out, std::size_t stride, int rows)
{
    if (setjmp(decoder.error.jump)) {
        return false;
    }
    for (int done = 0; done < rows;) {
        JSAMPROW row = out + static_cast<std::size_t>(done) * stride;
        const JDIMENSION read = jpeg_read_scanlines(&decoder.info, &row, 1);
        if (read == 0) {
            return false;  // cannot happen with a memory source; never spin
        }
        done += static_cast<int>(read);
    }
    return true;
}

// Reads up to the end-of-image marker, so that damage after the last row is
// noticed too.
bool finish(Decoder& decoder)
{
    if (setjmp(decoder.error.jump)) {
        return false;
    }
    return jpeg_finish_decompress(&decoder.info) == TRUE;
}

class DecoderGuard {
public:
    explicit DecoderGuard(Decoder& decoder) : decoder_(decoder) {}
    DecoderGuard(const DecoderGuard&) = delete;
    DecoderGuard& operator=(const DecoderGuard&) = delete;
    ~DecoderGuard() { jpeg_destroy_decompress(&decoder_.info); }

private:
    Decoder& decoder_;
};

}  // namespace

std::optional<RgbImage> decode_jpeg(std::span<const unsigned char> bytes)
{
    if (bytes.empty()) {
        return std::nullopt;
    }
    if constexpr (sizeof(std::size_t) > sizeof(unsigned long)) {
        if (bytes.size() > ULONG_MAX) {  // jpeg_mem_src takes an unsigned long
            return std::nullopt;
        }
    }
    // Zeroed, so that destroying it is safe however early start() fails.
    Decoder decoder{};
    const DecoderGuard guard(decoder);
    if (!start(decoder, bytes.data(), bytes.size())) {
        return std::nullopt;
    }

    RgbImage image;
    image.width = static_cast<int>(decoder.info.output_width);
    image.height = static_cast<int>(decoder.info.output_height);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    const std::size_t total = stride * static_cast<std::size_t>(image.height);
    try {
        image.rgb.reserve(std::min(total, reserve_limit));
        for (int row = 0; row < image.height; row += rows_per_step) {
            const int rows = std::min(rows_per_step, image.height - row);
            image.rgb.resize(image.rgb.size() + stride * static_cast<std::size_t>(rows));
            if (!read_rows(decoder, image.rgb.data() + stride * static_cast<std::size_t>(row),
                           stride, rows)) {
                return std::nullopt;
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!finish(decoder)) {
        return std::nullopt;
    }
    return image;
}

}  // namespace quorvex
