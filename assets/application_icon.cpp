#include "application_icon.h"

namespace quorvex {

QString application_icon_path(int size)
{
    return QStringLiteral(":/icons/quorvex-%1.png").arg(size);
}

QIcon application_icon()
{
    QIcon icon;
    for (const int size : application_icon_sizes) {
        icon.addFile(application_icon_path(size), QSize(size, size));
    }
    return icon;
}

}  // namespace quorvex
