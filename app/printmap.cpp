#include "printmap.h"

#include "printscaledlg.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
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

namespace {
// A print that produced no page says so, naming where it was to go.
void TellNotPrinted(CQuelpDoc& doc, const QPrinter& printer, const char* reason)
{
    const QString where =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    doc.Ui().ShowMessageText(QString::fromUtf8("印刷できませんでした。\n") +
                                 (where.isEmpty() ? QString() : where + QStringLiteral(": ")) +
                                 QString::fromUtf8(reason),
                             MessageKind::Warning);
}
}  // namespace

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
    QImage picture;
    {
        CBusyScope busy(doc.Ui());
        picture = QImage(pictureSize, QImage::Format_RGB32);
        if (!picture.isNull()) {
            picture.fill(Qt::white);
            DrawMap(doc, picture, WholeMapRange(doc), false);
        }
    }
    if (picture.isNull()) {
        TellNotPrinted(doc, printer, "マップの画像を作るメモリーが足りません");
        return {};
    }

    const QSize printed = PrintedSize(printable, pictureSize, hooks.RunScaleDialog);
    printer.setDocName(QStringFromCp932(doc.GetTitle()));
    bool begun = false;
    {
        CBusyScope busy(doc.Ui());
        QPainter painter;
        begun = painter.begin(&printer);
        if (begun) {
            painter.drawImage(QRect(QPoint(0, 0), printed), picture);
            painter.end();
        }
    }
    if (!begun) {
        TellNotPrinted(doc, printer, "印刷を始められません");
        return {};
    }
    return {true, printed};
}
