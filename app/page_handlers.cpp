#include "page_handlers.h"

#include "estimate/number_text.h"
#include "estimate/pages.h"

#include <initializer_list>

namespace quorvex {

namespace {
void empty_texts(Window window, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        window.set_text(name, {});
    }
}
} // namespace

void compute_file_size(Window w) {
    const estimate::FileSizeInput input{
        .video_rate = w.text("编辑框1"),
        .audio_rate = w.text("编辑框2"),
        .hours = w.text("编辑框3"),
        .minutes = w.text("编辑框4"),
        .seconds = w.text("编辑框5"),
        .video_unit = w.selection("组合框1"),
        .audio_unit = w.selection("组合框2"),
    };
    w.set_text("透明标签4", estimate::file_size_line(input));
}

void reset_file_size_page(Window w) {
    empty_texts(w, {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5", "透明标签4"});
}

void compute_bitrate(Window w) {
    const estimate::BitrateInput input{
        .size = w.text("编辑框9"),
        .hours = w.text("编辑框6"),
        .minutes = w.text("编辑框7"),
        .seconds = w.text("编辑框8"),
        .size_unit = w.selection("组合框3"),
    };
    w.set_text("透明标签12", estimate::bitrate_line(input));
}

void reset_bitrate_page(Window w) {
    empty_texts(w, {"编辑框6", "编辑框7", "编辑框8", "编辑框9"});
}

void compute_uncompressed_size(Window w) {
    // The running time is read first: without it nothing else is read.
    std::string duration = w.text("编辑框14");
    if (estimate::is_empty_text(duration)) {
        message_box("请填入视频/音频时长");
        return;
    }
    const estimate::UncompressedInput input{
        .width = w.text("编辑框10"),
        .height = w.text("编辑框11"),
        .depth = w.text("编辑框12"),
        .frame_rate = w.text("编辑框13"),
        .sample_rate = w.text("编辑框15"),
        .sample_size = w.text("编辑框16"),
        .duration = std::move(duration),
        .channels_selection = w.selection("组合框4"),
    };
    if (const auto line = estimate::uncompressed_line(input)) {
        w.set_text("透明标签18", *line);
    }
}

void reset_uncompressed_page(Window w) {
    empty_texts(w, {"编辑框10", "编辑框11", "编辑框12", "编辑框13", "编辑框14", "编辑框15",
                    "编辑框16"});
}

} // namespace quorvex
