// SPDX-License-Identifier: MIT
// Draws bitmap 126, the view's background picture, and the program's icon:
//   demo_make_pictures <folder>
// writes background.png and demo.png there, and for the Windows program's
// resources background.bmp and demo.ico. The picture supplies everything
// static in the view: the navy data field with its column and row headings
// and the grey status panel with its captions and sunken boxes at the
// positions the view draws into.
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

#include "demo/port/screen_layout.h"

namespace {

using namespace demo::screen;

// The 16 colours of the picture.
const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);
const QColor kGreyDark(128, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kAqua(0, 255, 255);
const QColor kTeal(0, 128, 128);
const QColor kYellow(255, 255, 0);

constexpr int kWidth = 654;
constexpr int kHeight = 452;
constexpr int kPanelTop = 286;

QFont Font(int pixels, bool bold, const char* family = "DejaVu Sans Condensed") {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A box sunk into the panel: dark edge top-left, light edge bottom-right.
void Sunken(QPainter& p, QRect inner) {
    const QRect r = inner.adjusted(-2, -2, 1, 1);
    p.fillRect(inner, kSilver);
    p.setPen(kGreyDark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(kWhite);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void Raised(QPainter& p, QRect r) {
    p.fillRect(r, kSilver);
    p.setPen(kWhite);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(kGreyDark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

// A caption ending just left of `right`, on the line of the field at `y`.
void Caption(QPainter& p, const char* text, int right, int y) {
    p.setPen(kBlack);
    p.setFont(Font(12, true));
    p.drawText(QRect(right - 120, y, 120, 15), Qt::AlignRight | Qt::AlignTop, text);
}

// A field box behind the text drawn at `at`, `chars` fixed cells wide.
void FieldBox(QPainter& p, Point at, int chars) {
    Sunken(p, QRect(at.x - 3, at.y - 3, chars * kCharWidth + 6, kLineHeight + 5));
}

void DrawDataField(QPainter& p) {
    const QRect field(3, 3, kWidth - 9, kPanelTop - 9);
    Sunken(p, field);
    p.fillRect(field, kNavy);
    p.setFont(Font(12, true, "DejaVu Sans Mono"));
    p.setPen(kAqua);
    for (int c = 0; c < kBytesPerRow; ++c) {
        const QString hex = QString("%1").arg(c, 2, 16, QChar('0')).toUpper();
        p.drawText(QRect(HexCellX(c), 12, 2 * kCharWidth, kLineHeight), Qt::AlignCenter, hex);
        p.drawText(QRect(CharCellX(c), 12, kCharWidth, kLineHeight), Qt::AlignCenter,
                   QString::number(c, 16).toUpper());
    }
    p.setPen(kYellow);
    for (int r = 0; r < kBytesPerRow; ++r) {
        const QString hex = QString("%1").arg(r, 2, 16, QChar('0')).toUpper();
        p.drawText(QRect(8, kDumpTop + r * kLineHeight, 2 * kCharWidth, kLineHeight),
                   Qt::AlignCenter, hex + "");
    }
    p.setPen(kTeal);
    const int rows_bottom = kDumpTop + kBytesPerRow * kLineHeight;
    p.drawLine(6, 29, field.right() - 3, 29);
    p.drawLine(29, 8, 29, rows_bottom + 2);
    const int split = (HexCellX(15) + 2 * kCharWidth + kCharLeft) / 2;
    p.drawLine(split, 8, split, rows_bottom + 2);
}

void DrawPanel(QPainter& p) {
    const int status_right = kStatusLine[0].x + kStatusLineChars * kCharWidth;
    Sunken(p, QRect(8, kStatusLine[0].y - 4, status_right - 6,
                    kStatusLine[2].y + kLineHeight + 8 - kStatusLine[0].y));
    FieldBox(p, kTypeName, kTypeNameChars);
    Caption(p, "Card Type:", kTypeName.x - 6, kTypeName.y);
    FieldBox(p, kPortLabel, 5);
    Caption(p, "Interface:", kTypeName.x - 6, kPortLabel.y);
    FieldBox(p, kDecimalOffset, kDecimalOffsetChars);
    FieldBox(p, kHexOffset, kHexOffsetChars);
    Caption(p, "Address:", kDecimalOffset.x - 6, kDecimalOffset.y);
    FieldBox(p, kAreaName, kAreaNameChars);
    Caption(p, "Area:", kAreaName.x - 6, kAreaName.y);
    Sunken(p, QRect(kPageNumber.x - 3, kPageNumber.y - 3,
                    kPageCount.x + 2 * kCharWidth - kPageNumber.x + 6, kLineHeight + 5));
    Caption(p, "Page:", kPageNumber.x - 6, kPageNumber.y);

    p.setPen(kGreyDark);
    p.setFont(Font(12, true));
    p.drawText(QRect(12, 362, 400, 15), Qt::AlignLeft | Qt::AlignTop,
               "Tavix USB Smart Card Reader");
    Raised(p, QRect(kExitLeft, kExitTop, kExitRight - kExitLeft, kExitBottom - kExitTop));
    p.setPen(kBlack);
    p.setFont(Font(10, true));
    p.drawText(QRect(kExitLeft, kExitTop + 1, kExitRight - kExitLeft, 11), Qt::AlignCenter, "Exit");
}

QImage Background() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kSilver);
    QPainter p(&image);
    DrawDataField(p);
    DrawPanel(p);
    p.end();
    const QList<QRgb> palette = {kBlack.rgb(),
                                 QColor(128, 0, 0).rgb(),
                                 QColor(0, 128, 0).rgb(),
                                 QColor(128, 128, 0).rgb(),
                                 kNavy.rgb(),
                                 QColor(128, 0, 128).rgb(),
                                 kTeal.rgb(),
                                 kSilver.rgb(),
                                 kGreyDark.rgb(),
                                 QColor(255, 0, 0).rgb(),
                                 QColor(0, 255, 0).rgb(),
                                 kYellow.rgb(),
                                 QColor(0, 0, 255).rgb(),
                                 QColor(255, 0, 255).rgb(),
                                 kAqua.rgb(),
                                 kWhite.rgb()};
    return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

// A card with its contact plate.
QImage Icon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(1.5, 6.5, 29, 19), 3, 3);
    p.fillPath(card, kNavy);
    p.setPen(QPen(kWhite, 1));
    p.drawPath(card);
    p.fillRect(QRect(6, 11, 8, 7), QColor(255, 200, 0));
    p.setPen(QPen(QColor(160, 110, 0), 1));
    p.drawLine(6, 14, 13, 14);
    p.drawLine(10, 11, 10, 17);
    p.fillRect(QRect(17, 20, 11, 2), kAqua);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QImage background = Background();
    const QImage icon = Icon();
    const bool saved = background.save(folder + "/background.png") &&
                       background.save(folder + "/background.bmp") &&
                       icon.save(folder + "/demo.png") && icon.save(folder + "/demo.ico");
    return saved ? 0 : 1;
}
