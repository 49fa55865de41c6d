#include "mapfont.h"

#include "core/cp932.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QString::fromUtf8("MS ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}

int ScreenDpi()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96;
    const int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    return dpi > 0 ? dpi : 96;
}

QFont MapFont(const std::string& faceCp932, int points)
{
    static const bool substituted = (InstallFontSubstitutions(), true);
    (void)substituted;
    QFont font(QStringFromCp932(faceCp932));
    // Rounded as a point size in tenths becomes a pixel height on the screen.
    const long long pixels = (static_cast<long long>(points) * ScreenDpi() + 36) / 72;
    font.setPixelSize(static_cast<int>(std::clamp<long long>(pixels, 1, 4096)));
    return font;
}

IntSize MeasureMapText(const std::string& textCp932, const std::string& faceCp932, int points)
{
    const QFontMetrics metrics(MapFont(faceCp932, points));
    return {metrics.horizontalAdvance(QStringFromCp932(textCp932)), metrics.height()};
}
