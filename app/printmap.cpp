#include "printmap.h"

#include "printscaledlg.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "render/maprender.h"

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

PrintHooks DefaultPrintHooks(QWidget* parent)
{
    PrintHooks hooks;
    hooks.RunPrintDialog = [parent](QPrinter& printer) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setMinMax(1, 65535);
        return dialog.exec() == QDialog::Accepted;
    };
    hooks.RunScaleDialog = [parent](int maximum) -> std::optional<PrintScaleAnswer> {
        CPrintScaleDlg dialog(maximum, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return PrintScaleAnswer{dialog.FitToPaper(), dialog.Scale()};
    };
    return hooks;
}

bool OnPrintMapEnabled(const CQuelpDoc& doc)
{
    return doc.AnyLayerHasGrid();
}

PrintResult OnPrintMap(CQuelpDoc& doc, QPrinter& printer, const PrintHooks& hooks)
{
    doc.DiscardTypedText();
    doc.DropSelection();
    doc.UpdateAllViews(nullptr, 7);
    if (!hooks.RunPrintDialog || !hooks.RunPrintDialog(printer))
        return {};

    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const QSize printable = PrintableSize(paper.size(), page.left() - paper.left(),
                                          page.top() - paper.top());

    // The picture is made before any job starts: a map too big for memory prints nothing.
    const QSize pictureSize(doc.Columns * ChipWidth, doc.Rows * ChipHeight);
    QImage picture(pictureSize, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    picture.fill(Qt::white);
    DrawMap(doc, picture, WholeMapRange(doc), false);

    const QSize printed = PrintedSize(printable, pictureSize, hooks.RunScaleDialog);
    printer.setDocName(QStringFromCp932(doc.GetTitle()));
    QPainter painter;
    if (!painter.begin(&printer))
        return {};
    painter.drawImage(QRect(QPoint(0, 0), printed), picture);
    painter.end();
    return {true, printed};
}
