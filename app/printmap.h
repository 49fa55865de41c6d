#pragma once

#include "printgeometry.h"

#include <QSize>
#include <functional>
#include <optional>

class CQuelpDoc;
class QPrinter;
class QWidget;

/** The user side of printing; the frame fills it with real dialogs, tests script it. */
struct PrintHooks {
    /** The print dialog on the printer; false on cancel. */
    std::function<bool(QPrinter&)> RunPrintDialog;
    /** "印刷拡大率設定" with the maximum; nothing on cancel. */
    std::function<std::optional<PrintScaleAnswer>(int maximum)> RunScaleDialog;
};

/** The print dialog and the scale dialog as real Qt dialogs. */
PrintHooks DefaultPrintHooks(QWidget* parent);

/** 57607 is enabled when at least one layer has cells, shown or not. */
bool OnPrintMapEnabled(const CQuelpDoc& doc);

/** What a print produced: whether a page was printed and its size in printer pixels. */
struct PrintResult {
    bool Printed = false;
    QSize Size;
};

/** 57607: ends pending edits (hint 7), asks for the printer, draws the whole map on white at
 *  full size and prints it on one page at the top-left of the printable area, scaled as the
 *  scale rules say; the job is named after the map's title. */
PrintResult OnPrintMap(CQuelpDoc& doc, QPrinter& printer, const PrintHooks& hooks);
