// A window design is data: the window's properties, then each control with its
// kind, name, container, place, texts and properties, in creation order.
// `build_window` (builder.h) turns a design into real widgets.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace quorvex {

enum class ControlKind {
    TabControl, // items: the page titles
    Label,      // a transparent label
    EditBox,
    DropDown,   // items: the list; editable or not
    Button,
    GroupBox,
    PictureBox,
};

// How a label draws its text.
enum class Look {
    Caption,    // black, left-aligned, vertically centred, one line, default font
    RedCaption, // the same in red
    Result21,   // black bold "微软雅黑", 21 px, centred on one line
    Result19,   // the same at 19 px
    Notice,     // red, centred on one line, plain text, default font
    Help,       // black, left-aligned from the top, wrapping at word boundaries
};

enum class Entry {
    None,
    WholeNumber, // typing takes "-" and digits; leaving the box rewrites it as a whole number
    Decimal,     // typing takes "-", "." and digits; left as typed
};

struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

// Where a control lives: the window's client area (empty name), a page of a
// tab control (places relative to the tab control, headers included), or a
// group box (places relative to the group box).
struct Container {
    std::string_view name;
    int page = -1;
};

struct ControlDesign {
    ControlKind kind;
    std::string_view name;
    Container in;
    Place place;
    std::string_view text = {};
    std::vector<std::string_view> items = {};
    int selected = -1;
    Look look = Look::Caption;
    Entry entry = Entry::None;
    bool editable = false;
    std::span<const unsigned char> (*picture)() = nullptr; // a picture box's JPEG image
};

// The labels that name an entry control for assistive technology: its caption
// and, for the parts of a running time, the unit label after it.
struct CaptionLink {
    std::string_view control;
    std::string_view caption;
    std::string_view unit = {};
};

struct WindowDesign {
    std::string_view name;
    std::string_view caption;
    int client_width = 0, client_height = 0; // the client area; the frame is the platform's
    std::vector<ControlDesign> controls;
    std::vector<CaptionLink> captions = {};
};

// Row helpers so that a design reads like a table of controls.
inline Container client_area() { return {}; }
inline Container page_of(std::string_view tab_control, int page) { return {tab_control, page}; }
inline Container inside(std::string_view group_box) { return {group_box}; }

inline ControlDesign tab_control(std::string_view name, Container in, Place place,
                                 std::vector<std::string_view> titles) {
    return {ControlKind::TabControl, name, in, place, {}, std::move(titles)};
}
inline ControlDesign label(std::string_view name, Container in, Place place,
                           std::string_view text, Look look = Look::Caption) {
    return {ControlKind::Label, name, in, place, text, {}, -1, look};
}
inline ControlDesign edit_box(std::string_view name, Container in, Place place,
                              Entry entry = Entry::WholeNumber) {
    return {ControlKind::EditBox, name, in, place, {}, {}, -1, Look::Caption, entry};
}
inline ControlDesign drop_down(std::string_view name, Container in, Place place,
                               std::vector<std::string_view> items, int selected,
                               bool editable = false) {
    return {ControlKind::DropDown, name,         in, place, {}, std::move(items),
            selected,              Look::Caption, Entry::None, editable};
}
inline ControlDesign button(std::string_view name, Container in, Place place,
                            std::string_view text) {
    return {ControlKind::Button, name, in, place, text};
}
inline ControlDesign group_box(std::string_view name, Container in, Place place,
                               std::string_view caption) {
    return {ControlKind::GroupBox, name, in, place, caption};
}
inline ControlDesign picture_box(std::string_view name, Container in, Place place,
                                 std::span<const unsigned char> (*picture)()) {
    ControlDesign c{ControlKind::PictureBox, name, in, place};
    c.picture = picture;
    return c;
}

} // namespace quorvex
