#include "main_window_design.h"

#include "assets/support_picture.h"

namespace quorvex {

namespace {
constexpr std::string_view tabs = "高级选择夹1";
const Container size_page = page_of(tabs, 0);
const Container bitrate_page = page_of(tabs, 1);
const Container raw_page = page_of(tabs, 2);
const Container help_page = page_of(tabs, 3);
const Container video_group = inside("分组框1");
const Container audio_group = inside("分组框2");

constexpr std::string_view plain_formula = "普通视频：\r\n"
                                           "\r\n"
                                           "视频文件体积：(音频码率+视频码率) x 时长 / 8";

constexpr std::string_view raw_formulas = "未压缩视频：\r\n"
                                          "\r\n"
                                          "文件大小 = 视频大小 + 音频大小\r\n"
                                          "\r\n"
                                          "视频大小 = 画面尺寸 * 彩色位数（bit）* 帧数 * 时长\r\n"
                                          "\r\n"
                                          "音频大小 = 采样频率（Hz）* 采样位数（bit）* 声道数 * 时长\r\n";
} // namespace

const WindowDesign& main_window_design() {
    static const WindowDesign design{
        "主窗口", "Quorvex", 376, 280,
        {
            tab_control(tabs, client_area(), {0, 0, 376, 280},
                        {"计算大小", "计算码率", "未压缩大小", "帮助"}),

            // 计算大小
            label("通告", size_page, {0, 24, 376, 16}, "", Look::Notice),
            label("透明标签1", size_page, {40, 61, 56, 24}, "视频码率："),
            edit_box("编辑框1", size_page, {104, 61, 72, 24}),
            drop_down("组合框1", size_page, {186, 63, 64, 20}, {"Kpbs", "Mbps"}, 0),
            label("透明标签2", size_page, {40, 93, 56, 24}, "音频码率："),
            edit_box("编辑框2", size_page, {104, 93, 72, 24}),
            drop_down("组合框2", size_page, {186, 95, 64, 20}, {"Kpbs", "Mbps"}, 0),
            label("透明标签3", size_page, {64, 125, 32, 24}, "时长："),
            edit_box("编辑框3", size_page, {104, 125, 32, 24}),
            label("透明标签5", size_page, {138, 125, 32, 24}, "小时"),
            edit_box("编辑框4", size_page, {168, 125, 32, 24}),
            label("透明标签6", size_page, {202, 125, 14, 24}, "分"),
            edit_box("编辑框5", size_page, {216, 125, 32, 24}),
            label("透明标签7", size_page, {252, 125, 12, 24}, "秒"),
            button("按钮1", size_page, {272, 70, 80, 39}, "计算"),
            button("按钮2", size_page, {272, 125, 80, 24}, "重置"),
            label("透明标签4", size_page, {40, 190, 296, 40}, "视频大小估算", Look::Result21),

            // 计算码率
            label("透明标签13", bitrate_page, {42, 77, 56, 24}, "文件大小："),
            edit_box("编辑框9", bitrate_page, {106, 77, 72, 24}),
            drop_down("组合框3", bitrate_page, {188, 79, 64, 20}, {"MB", "GB"}, 0),
            label("透明标签8", bitrate_page, {64, 125, 32, 24}, "时长："),
            edit_box("编辑框6", bitrate_page, {104, 125, 32, 24}),
            label("透明标签9", bitrate_page, {138, 125, 32, 24}, "小时"),
            edit_box("编辑框7", bitrate_page, {168, 125, 32, 24}),
            label("透明标签10", bitrate_page, {202, 125, 14, 24}, "分"),
            edit_box("编辑框8", bitrate_page, {216, 125, 32, 24}),
            label("透明标签11", bitrate_page, {252, 125, 12, 24}, "秒"),
            button("按钮4", bitrate_page, {272, 70, 80, 39}, "计算"),
            button("按钮3", bitrate_page, {272, 125, 80, 24}, "重置"),
            label("透明标签12", bitrate_page, {40, 190, 296, 40}, "视频码率估算", Look::Result21),

            // 未压缩大小
            group_box("分组框1", raw_page, {24, 40, 328, 80}, "视频"),
            label("透明标签14", video_group, {16, 16, 48, 24}, "帧宽度："),
            edit_box("编辑框10", video_group, {70, 18, 58, 24}),
            label("透明标签22", video_group, {132, 18, 24, 24}, "像素"),
            label("透明标签15", video_group, {16, 48, 40, 24}, "帧高度："),
            edit_box("编辑框11", video_group, {70, 48, 58, 24}),
            label("透明标签23", video_group, {131, 48, 24, 24}, "像素"),
            label("透明标签16", video_group, {168, 16, 56, 24}, "色彩位数："),
            edit_box("编辑框12", video_group, {232, 16, 58, 24}),
            label("透明标签24", video_group, {293, 16, 24, 24}, "bit"),
            label("透明标签17", video_group, {168, 48, 56, 24}, "每秒帧数："),
            edit_box("编辑框13", video_group, {232, 46, 58, 24}),
            label("透明标签25", video_group, {293, 47, 30, 24}, "帧/秒"),

            group_box("分组框2", raw_page, {24, 128, 328, 80}, "音频"),
            label("透明标签21", audio_group, {16, 16, 56, 24}, "采样频率："),
            edit_box("编辑框15", audio_group, {78, 18, 50, 24}, Entry::Decimal),
            label("透明标签26", audio_group, {133, 19, 24, 24}, "Hz"),
            label("透明标签20", audio_group, {16, 48, 56, 24}, "采样位数："),
            edit_box("编辑框16", audio_group, {78, 48, 50, 24}),
            label("透明标签27", audio_group, {132, 48, 24, 24}, "bit"),
            label("透明标签19", audio_group, {176, 16, 48, 24}, "声道数："),
            drop_down("组合框4", audio_group, {232, 19, 80, 20}, {"单声道", "立体声"}, 1, true),
            label("透明标签28", audio_group, {176, 48, 47, 24}, "* 时长：", Look::RedCaption),
            edit_box("编辑框14", audio_group, {232, 48, 56, 24}),
            label("透明标签29", audio_group, {296, 48, 16, 24}, "秒"),

            button("按钮5", raw_page, {264, 212, 88, 32}, "计算"),
            button("按钮6", raw_page, {264, 248, 88, 24}, "重置"),
            label("透明标签18", raw_page, {0, 224, 264, 40}, "视频大小估算", Look::Result19),

            // 帮助
            label("透明标签30", help_page, {17, 48, 320, 40}, plain_formula, Look::Help),
            label("透明标签31", help_page, {16, 111, 360, 96}, raw_formulas, Look::Help),
            button("按钮7", help_page, {112, 224, 128, 40}, "支持作者"),
        },
        {
            {"编辑框1", "透明标签1"},
            {"组合框1", "透明标签1"},
            {"编辑框2", "透明标签2"},
            {"组合框2", "透明标签2"},
            {"编辑框3", "透明标签3", "透明标签5"},
            {"编辑框4", "透明标签3", "透明标签6"},
            {"编辑框5", "透明标签3", "透明标签7"},
            {"编辑框9", "透明标签13"},
            {"组合框3", "透明标签13"},
            {"编辑框6", "透明标签8", "透明标签9"},
            {"编辑框7", "透明标签8", "透明标签10"},
            {"编辑框8", "透明标签8", "透明标签11"},
            {"编辑框10", "透明标签14"},
            {"编辑框11", "透明标签15"},
            {"编辑框12", "透明标签16"},
            {"编辑框13", "透明标签17"},
            {"编辑框15", "透明标签21"},
            {"编辑框16", "透明标签20"},
            {"组合框4", "透明标签19"},
            {"编辑框14", "透明标签28"},
        }};
    return design;
}

const WindowDesign& support_window_design() {
    static const WindowDesign design{"支持窗口",
                                     "",
                                     650,
                                     400,
                                     {
                                         picture_box("图片框1", client_area(), {0, 0, 650, 400}, support_picture_jpeg),
                                     }};
    return design;
}

} // namespace quorvex
