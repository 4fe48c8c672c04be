// SPDX-License-Identifier: MIT
#include "demo/app/qt_glyph_cells.h"

#include "demo/app/qt_text.h"
#include "demo/port/screen_layout.h"

namespace demo {

namespace {

std::uint64_t CellKey(unsigned char c, Rgb fg, Rgb bg) {
    const auto rgb = [](Rgb colour) {
        return std::uint64_t{colour.r} << 16 | std::uint64_t{colour.g} << 8 | colour.b;
    };
    return std::uint64_t{c} << 48 | rgb(fg) << 24 | rgb(bg);
}

}  // namespace

const QImage& GlyphCells::Cell(unsigned char c, Rgb fg, Rgb bg) {
    auto [it, added] = cells_.try_emplace(CellKey(c, fg, bg));
    if (added) {
        QImage& cell = it->second;
        cell = QImage(screen::kCharWidth, screen::kLineHeight, QImage::Format_RGB32);
        cell.fill(ToQColor(bg));
        QPainter painter(&cell);
        painter.setFont(font_);
        painter.setPen(ToQColor(fg));
        painter.drawText(cell.rect(), Qt::AlignCenter,
                         QString(QChar::fromLatin1(static_cast<char>(c))));
    }
    return it->second;
}

QRect GlyphCells::Draw(QPainter& painter, int x, int y, std::string_view text, Rgb fg, Rgb bg) {
    const QRect area(x, y, screen::kCharWidth * static_cast<int>(text.size()), screen::kLineHeight);
    if (fg == bg) {  // erasing: nothing would show
        painter.fillRect(area, ToQColor(bg));
        return area;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        painter.drawImage(x + screen::kCharWidth * static_cast<int>(i), y,
                          Cell(static_cast<unsigned char>(text[i]), fg, bg));
    }
    return area;
}

}  // namespace demo
