// SPDX-License-Identifier: MIT
// The dump's characters copied from cached cells look exactly as if each had
// been laid out by the font engine in its cell, in every colour pair used.
#include "demo/app/qt_glyph_cells.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "demo/app/qt_text.h"
#include "demo/port/screen_layout.h"

namespace {

using demo::Rgb;
using demo::screen::kCharWidth;
using demo::screen::kLineHeight;

QImage Blank(int chars) {
    QImage image(kCharWidth * chars, kLineHeight, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    return image;
}

// Each character laid out centred in its own cell, over the background.
QImage LaidOut(const std::string& text, Rgb fg, Rgb bg) {
    QImage image = Blank(static_cast<int>(text.size()));
    QPainter painter(&image);
    painter.fillRect(image.rect(), demo::ToQColor(bg));
    painter.setFont(demo::TextFont(demo::Font::kFixed));
    painter.setPen(demo::ToQColor(fg));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const QRect cell(kCharWidth * static_cast<int>(i), 0, kCharWidth, kLineHeight);
        painter.drawText(cell, Qt::AlignCenter, demo::ToQString(text.substr(i, 1)));
    }
    return image;
}

QImage FromCells(demo::GlyphCells& cells, const std::string& text, Rgb fg, Rgb bg) {
    QImage image = Blank(static_cast<int>(text.size()));
    QPainter painter(&image);
    const QRect area = cells.Draw(painter, 0, 0, text, fg, bg);
    EXPECT_EQ(area, image.rect());
    return image;
}

TEST(GlyphCells, EveryCharacterInEveryColourPairMatchesTheFontEngine) {
    std::string all;
    for (int c = 0x20; c < 0x100; ++c) all += static_cast<char>(c);
    const Rgb white{255, 255, 255}, navy{0, 0, 128}, red{255, 0, 0}, grey{192, 192, 192};
    demo::GlyphCells cells(demo::TextFont(demo::Font::kFixed));
    for (const auto& [fg, bg] : {std::pair{white, navy}, {red, navy}, {red, grey}, {navy, white}}) {
        EXPECT_EQ(FromCells(cells, all, fg, bg), LaidOut(all, fg, bg))
            << "fg " << int(fg.r) << "," << int(fg.g) << "," << int(fg.b);
    }
    // Drawn again from the cache, after other colours went in.
    EXPECT_EQ(FromCells(cells, "0123ABCD", white, navy), LaidOut("0123ABCD", white, navy));
}

TEST(GlyphCells, SameColoursEraseTheCells) {
    demo::GlyphCells cells(demo::TextFont(demo::Font::kFixed));
    const Rgb navy{0, 0, 128};
    QImage expected = Blank(4);
    expected.fill(demo::ToQColor(navy));
    EXPECT_EQ(FromCells(cells, "WXYZ", navy, navy), expected);
}

}  // namespace
