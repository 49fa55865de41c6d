#include "support/fakeuiport.h"

#include "app/printgeometry.h"
#include "app/printmap.h"

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "edit/cellbuffers.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QSize kPage(4800, 6600);

std::function<std::optional<PrintScaleAnswer>(int)> Answer(std::optional<PrintScaleAnswer> answer,
                                                           int* maximumSeen = nullptr)
{
    return [answer, maximumSeen](int maximum) {
        if (maximumSeen)
            *maximumSeen = maximum;
        return answer;
    };
}
}  // namespace

TEST(PrintGeometry, PrintableAreaIsThePaperLessTwiceTheOffsets)
{
    EXPECT_EQ(PrintableSize(QSize(5100, 6800), 150, 100), kPage);
}

TEST(PrintGeometry, ScaleRules)
{
    struct Case {
        QSize Picture;
        std::optional<PrintScaleAnswer> Answer;
        int Maximum;  // -1: no dialog
        QSize Printed;
    };
    const Case cases[] = {
        {QSize(800, 800), PrintScaleAnswer{false, 4}, 6, QSize(3200, 3200)},
        {QSize(800, 800), PrintScaleAnswer{true, 1}, 6, QSize(4800, 4800)},
        {QSize(800, 800), std::nullopt, 6, QSize(800, 800)},  // cancel prints at factor 1
        {QSize(9600, 1000), std::nullopt, -1, QSize(4800, 500)},
        {QSize(3200, 4000), PrintScaleAnswer{false, 1}, 1, QSize(3200, 4000)},
        {QSize(3200, 4000), PrintScaleAnswer{true, 1}, 1, QSize(4800, 6000)},
        {QSize(3200, 4000), PrintScaleAnswer{false, 3}, 1, QSize(9600, 12000)},
        {QSize(4800, 100), std::nullopt, -1, QSize(4800, 100)},  // equal width: no dialog
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Picture.width());
        int seen = -1;
        EXPECT_EQ(PrintedSize(kPage, c.Picture, Answer(c.Answer, &seen)), c.Printed);
        EXPECT_EQ(seen, c.Maximum);
        if (c.Maximum > 0) {
            EXPECT_EQ(MaxPrintScale(kPage, c.Picture), c.Maximum);
        }
    }
}

TEST(Printing, PrintsTheMapToAPdfFileOnOnePage)
{
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    doc.Columns = 10;
    doc.Rows = 5;
    ASSERT_TRUE(EnsureGrid(doc, doc.Layers[0]));
    doc.PathName = "/maps/town.mpx";
    doc.SelectPhase = 1;
    HintRecorder hints;
    doc.AddView(&hints);
    EXPECT_TRUE(OnPrintMapEnabled(doc));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("map.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    int maximum = 0;
    PrintHooks hooks;
    hooks.RunPrintDialog = [&pdf, &ui](QPrinter& p) {
        EXPECT_EQ(ui.BusyDepth, 0) << "a busy cursor over the print dialog";
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    };
    const auto answer = Answer(PrintScaleAnswer{false, 2}, &maximum);
    hooks.RunScaleDialog = [&answer, &ui](int most) {
        EXPECT_EQ(ui.BusyDepth, 0) << "a busy cursor over the scale dialog";
        return answer(most);
    };
    const PrintResult result = OnPrintMap(doc, printer, hooks);
    doc.RemoveView(&hints);
    // The drawing and the printing show the busy cursor, which is gone afterwards.
    EXPECT_GT(ui.BusyCount, 0);
    EXPECT_EQ(ui.BusyDepth, 0);

    EXPECT_TRUE(result.Printed);
    EXPECT_EQ(result.Size, QSize(10 * ChipWidth * 2, 5 * ChipHeight * 2));
    EXPECT_GT(maximum, 2);
    EXPECT_EQ(printer.docName(), QStringLiteral("town.mpx"));
    EXPECT_EQ(doc.SelectPhase, 0);
    ASSERT_FALSE(hints.Hints.empty());
    EXPECT_EQ(hints.Hints.front(), 7);

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
}

TEST(Printing, APrintThatCannotStartSaysSo)
{
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    ASSERT_TRUE(EnsureGrid(doc, doc.Layers[0]));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("no/such/folder/map.pdf"));
    QPrinter printer;
    PrintHooks hooks;
    hooks.RunPrintDialog = [&pdf](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    };
    hooks.RunScaleDialog = [](int) { return std::optional<PrintScaleAnswer>(); };
    EXPECT_FALSE(OnPrintMap(doc, printer, hooks).Printed);
    ASSERT_EQ(ui.MessageTexts.size(), 1u);
    EXPECT_EQ(ui.MessageTexts[0],
              QString::fromUtf8("印刷できませんでした。\n") + pdf +
                  QString::fromUtf8(": 印刷を始められません"));
    EXPECT_EQ(ui.BusyDepth, 0);
}

TEST(Printing, CancelInThePrintDialogPrintsNothing)
{
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    QPrinter printer;
    PrintHooks hooks;
    hooks.RunPrintDialog = [](QPrinter&) { return false; };
    hooks.RunScaleDialog = [](int) -> std::optional<PrintScaleAnswer> {
        ADD_FAILURE() << "no scale dialog after a cancelled print dialog";
        return std::nullopt;
    };
    EXPECT_FALSE(OnPrintMap(doc, printer, hooks).Printed);
    EXPECT_FALSE(OnPrintMapEnabled(doc));
}
