#pragma once

#include <QIcon>
#include <QString>

namespace quorvex {

// Resource path of the icon rendered at `size` pixels, one of
// application_icon_sizes, e.g. ":/icons/quorvex-48.png".
QString application_icon_path(int size);

inline constexpr int application_icon_sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The program's icon with every size built in, for window icons.
QIcon application_icon();

}  // namespace quorvex
