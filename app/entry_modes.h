// The entry modes of edit boxes.
#pragma once

#include "design.h"

#include <QString>

class QLineEdit;

namespace quorvex {

// Whole-number entry: typing takes only "-" and the digits; on losing the
// focus the text becomes the whole number it begins with. Decimal entry:
// typing takes "-", "." and the digits; nothing happens on losing the focus.
// Control keys and editing shortcuts (paste among them) always pass.
void set_entry_mode(QLineEdit* edit, Entry mode);

// The rewrite of whole-number entry: optional blanks, an optional sign and
// the digits up to the first other character, limited to the 32-bit range
// and written in decimal; 0, or no digits at all, gives the empty text.
QString whole_number_text(const QString& text);

} // namespace quorvex
