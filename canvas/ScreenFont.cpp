#include "canvas/ScreenFont.h"

#include <QFontDatabase>

QFont ScreenFont()
{
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
        ? QStringLiteral("Courier New")
        : QStringLiteral("Liberation Mono");
    QFont font(family);
    font.setPixelSize(screenFontPixelHeight);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
