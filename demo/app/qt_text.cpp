#include "demo/app/qt_text.h"

#include <QFontMetrics>

#include "demo/view/screen_layout.h"

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

// The dump's characters sit one per 9 by 15 cell whatever the font's own
// advance; panel texts take their natural width.
QRect DrawOpaqueText(QPainter& painter, int x, int y, std::string_view text, Rgb fg, Rgb bg,
                     const QFont& qfont, Font font) {
    const QString s = ToQString(text);
    painter.setFont(qfont);
    painter.setPen(ToQColor(fg));
    if (font == Font::kFixed) {
        const QRect area(x, y, screen::kCharWidth * static_cast<int>(s.size()),
                         screen::kLineHeight);
        painter.fillRect(area, ToQColor(bg));
        if (fg == bg) return area;  // erasing: nothing would show
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QRect cell(x + screen::kCharWidth * static_cast<int>(i), y, screen::kCharWidth,
                             screen::kLineHeight);
            painter.drawText(cell, Qt::AlignCenter, QString(s[i]));
        }
        return area;
    }
    const QFontMetrics metrics(qfont);
    const QRect area(x, y, metrics.horizontalAdvance(s), metrics.height());
    painter.fillRect(area, ToQColor(bg));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, s);
    return area;
}

}  // namespace demo
