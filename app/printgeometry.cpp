#include "printgeometry.h"

#include <algorithm>

QSize PrintableSize(const QSize& physical, int offsetX, int offsetY)
{
    return QSize(physical.width() - 2 * offsetX, physical.height() - 2 * offsetY);
}

bool AsksPrintScale(const QSize& printable, const QSize& picture)
{
    return printable.width() > picture.width() && printable.height() > picture.height();
}

int MaxPrintScale(const QSize& printable, const QSize& picture)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return 0;
    return std::min(printable.width() / picture.width(), printable.height() / picture.height());
}

QSize FitToPaperSize(const QSize& printable, const QSize& picture)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return QSize(0, 0);
    const double f = std::min(static_cast<double>(printable.width()) / picture.width(),
                              static_cast<double>(printable.height()) / picture.height());
    return QSize(static_cast<int>(picture.width() * f), static_cast<int>(picture.height() * f));
}

QSize PrintedSize(const QSize& printable, const QSize& picture,
                  const std::function<std::optional<PrintScaleAnswer>(int maximum)>& ask)
{
    if (!AsksPrintScale(printable, picture))
        return FitToPaperSize(printable, picture);
    const std::optional<PrintScaleAnswer> answer =
        ask ? ask(MaxPrintScale(printable, picture)) : std::nullopt;
    if (!answer)
        return picture;
    if (answer->FitToPaper)
        return FitToPaperSize(printable, picture);
    return QSize(picture.width() * answer->Scale, picture.height() * answer->Scale);
}
