// SPDX-License-Identifier: MIT
// The dump's characters, drawn once per character and colour pair into a cell
// image and copied from there afterwards: laying out text through the font
// engine one character at a time costs most of a page's paint.
#pragma once

#include <QChar>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "demo/port/ui_port.h"

namespace demo {

class GlyphCells {
  public:
    explicit GlyphCells(const QFont& font) : font_(font) {}

    // Draws each character of `text` centred in its 9 by 15 cell from (x, y)
    // on, over `bg`; returns the area drawn.
    QRect Draw(QPainter& painter, int x, int y, std::string_view text, Rgb fg, Rgb bg);

  private:
    const QImage& Cell(unsigned char c, Rgb fg, Rgb bg);

    QFont font_;
    std::unordered_map<std::uint64_t, QImage> cells_;
};

}  // namespace demo
