#pragma once

#include <QSize>
#include <functional>
#include <optional>

/** What the scale dialog answered: fit to the paper, or a whole factor. */
struct PrintScaleAnswer {
    bool FitToPaper = false;
    int Scale = 1;
};

/** Printable extent in printer pixels: the physical paper size less twice the physical offset
 *  of the printable area on each axis. */
QSize PrintableSize(const QSize& physical, int offsetX, int offsetY);

/** True when the picture is strictly smaller than the printable area both ways, so the user
 *  chooses a factor. */
bool AsksPrintScale(const QSize& printable, const QSize& picture);

/** The largest whole factor that fits: min(Pw / w, Ph / h) in integer division. */
int MaxPrintScale(const QSize& printable, const QSize& picture);

/** The picture scaled by the smaller real ratio of the two axes, truncated. */
QSize FitToPaperSize(const QSize& printable, const QSize& picture);

/** The printed size in printer pixels. ask is called with the maximum when the picture is
 *  smaller than the page; nothing from it (cancel) prints at factor 1. */
QSize PrintedSize(const QSize& printable, const QSize& picture,
                  const std::function<std::optional<PrintScaleAnswer>(int maximum)>& ask);
