// SPDX-License-Identifier: MIT
// Text and colours between the program's data and Qt: the fonts of the view
// and opaque text drawing.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <string_view>

#include "demo/port/ui_port.h"

namespace demo {

// The program's texts are single-byte; card bytes show as Latin-1.
QString ToQString(std::string_view text);
QColor ToQColor(Rgb rgb);
QFont TextFont(Font font);
// The font a dialog template names, or the installed font with the same
// metrics, so that the template's layout holds.
QFont DialogFont(std::string_view family, int point_size);
// Fills the text's natural extent with `bg` and draws the text over it;
// returns the area drawn. (The dump's fixed cells are GlyphCells'.)
QRect DrawOpaqueText(QPainter& painter, int x, int y, std::string_view text, Rgb fg, Rgb bg,
                     const QFont& qfont);

}  // namespace demo
