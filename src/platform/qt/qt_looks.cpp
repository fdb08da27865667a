// Text conversion and the fonts and colours of the panel's looks.
#include "platform/qt/qt_looks.h"

#include "model/names.h"

#include <QPainter>
#include <QPalette>
#include <QStringDecoder>
#include <QWidget>

namespace {

QFont sansSerif(int weight) {
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

} // namespace

QString fromProgramText(const std::string& text) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? QString::fromStdString(windows1252ToUtf8(text)) : decoded;
}

LookFonts makeLookFonts() {
    LookFonts fonts;
    // The panel was laid out for a narrow face asked for by its 16-pixel cell,
    // whose letters are 13 pixels to the em. The installed sans-serif faces
    // run wider, so the panel takes the semi-condensed cut (or Qt's stretched
    // rendering of the normal one): fixed-width fields then hold their texts.
    fonts.panel = sansSerif(QFont::Normal);
    fonts.panel.setPixelSize(13);
    fonts.panel.setStretch(QFont::SemiCondensed);
    fonts.header = sansSerif(QFont::Bold);
    fonts.header.setPixelSize(12);
    fonts.small = sansSerif(QFont::Normal);
    fonts.small.setPixelSize(10);
    return fonts;
}

const QFont& lookFont(const LookFonts& fonts, TextLook look) {
    switch (look) {
    case LOOK_HEADER:
        return fonts.header;
    case LOOK_STATUS:
    case LOOK_SMALL:
        return fonts.small;
    case LOOK_PANEL:
        break;
    }
    return fonts.panel;
}

uint32_t lookTextColour(TextLook look) {
    return look == LOOK_HEADER || look == LOOK_STATUS ? 0xFFFFFF : 0x000000;
}

uint32_t lookBackground(TextLook look) {
    switch (look) {
    case LOOK_HEADER:
        return COLOUR_HEADER;
    case LOOK_STATUS:
        return 0x000000;
    case LOOK_PANEL:
    case LOOK_SMALL:
        break;
    }
    return COLOUR_PANEL;
}

void applyLook(QWidget* widget, const LookFonts& fonts, TextLook look) {
    widget->setFont(lookFont(fonts, look));
    QPalette palette = widget->palette();
    QColor text = pixelColour(lookTextColour(look));
    QColor back = pixelColour(lookBackground(look));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Button, back);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void drawTextRuns(QPainter& painter, const QPoint& origin, const std::vector<TextRun>& runs,
                  const LookFonts& fonts) {
    for (const TextRun& run : runs) {
        painter.setFont(lookFont(fonts, run.look));
        painter.setPen(pixelColour(run.color));
        QRect box(origin.x() + run.x, origin.y() + run.y, 4096, 4096);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, fromProgramText(run.text));
    }
}
