// SPDX-License-Identifier: MIT
#include "demo/app/qt_text.h"

#include <QFontMetrics>


namespace demo {

QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

QFont TextFont(Font font) {
    QFont qfont(font == Font::kFixed ? "DejaVu Sans Mono" : "DejaVu Sans Condensed");
    qfont.setStyleHint(font == Font::kFixed ? QFont::Monospace : QFont::SansSerif);
    qfont.setFixedPitch(font == Font::kFixed);
    qfont.setPixelSize(font == Font::kFixed ? 14 : 12);
    qfont.setBold(font == Font::kFixed);
    return qfont;
}

QFont DialogFont(std::string_view family, int point_size) {
    struct Substitute {
        std::string_view named;
        const char* installed;
    };
    static constexpr Substitute kSubstitutes[] = {{"Times New Roman", "Liberation Serif"}};
    QFont font(ToQString(family));
    for (const Substitute& s : kSubstitutes) {
        if (s.named == family) font.setFamily(s.installed);
    }
    font.setPointSize(point_size);
    return font;
}

QRect DrawOpaqueText(QPainter& painter, int x, int y, std::string_view text, Rgb fg, Rgb bg,
                     const QFont& qfont) {
    const QString s = ToQString(text);
    painter.setFont(qfont);
    painter.setPen(ToQColor(fg));
    const QFontMetrics metrics(qfont);
    const QRect area(x, y, metrics.horizontalAdvance(s), metrics.height());
    painter.fillRect(area, ToQColor(bg));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, s);
    return area;
}

}  // namespace demo
