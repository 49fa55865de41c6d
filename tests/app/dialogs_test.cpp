#include "support/fakeuiport.h"

#include "app/aboutdlg.h"
#include "app/colorswatch.h"
#include "app/optiondlg.h"
#include "app/printscaledlg.h"
#include "app/qtuiport.h"
#include "app/setchipsizedlg.h"
#include "app/setmapsizedlg.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "core/settings.h"
#include "render/chipcommands.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/** Runs `work` on the modal dialog of type D once it is shown (from inside its exec). */
template <class D>
void WhenModalShown(std::function<void(D&)> work)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, work] {
        auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        work(*dialog);
    });
    timer->start();
}

/** Presses OK and records what the dialog refused. */
QString Accept(CQuelpDialog& dialog)
{
    dialog.accept();
    return dialog.LastMessage();
}
}  // namespace

TEST(MapSizeDialog, AcceptsOneTo512AndRefusesTheRest)
{
    struct Case {
        const char* Columns;
        const char* Rows;
        const char* Message;  // nullptr: accepted
    };
    const Case cases[] = {
        {"300", "20", nullptr},
        {"512", "1", nullptr},
        {"0", "20", "1 から 512 までの整数を入力してください。"},
        {"513", "20", "1 から 512 までの整数を入力してください。"},
        {"30", "513", "1 から 512 までの整数を入力してください。"},
        {"abc", "20", "整数を入力してください。"},
        {"", "20", "整数を入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Columns);
        CSetMapSizeDlg dialog(MapSizeDialogValues{50, 40});
        QStringList shown;
        dialog.MessageSink = [&shown](const QString& text) { shown << text; };
        EXPECT_EQ(dialog.ColumnsEdit()->text(), QStringLiteral("50"));
        dialog.ColumnsEdit()->setText(QString::fromLatin1(c.Columns));
        dialog.RowsEdit()->setText(QString::fromLatin1(c.Rows));
        const QString message = Accept(dialog);
        if (!c.Message) {
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.Values().Columns, QString::fromLatin1(c.Columns).toInt());
        } else {
            EXPECT_EQ(message, U(c.Message));
            EXPECT_EQ(shown, QStringList{U(c.Message)});
            EXPECT_NE(dialog.result(), QDialog::Accepted);
        }
    }
    CSetMapSizeDlg dialog(MapSizeDialogValues{50, 40});
    EXPECT_EQ(dialog.windowTitle(), U("マップサイズ設定"));
}

TEST(MapSizeDialog, NamesTheLimitItEnforcesAndReadsFullWidthDigits)
{
    CSetMapSizeDlg dialog(MapSizeDialogValues{50, 40});
    dialog.MessageSink = [](const QString&) {};
    QStringList notes;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        notes << label->text();
    EXPECT_TRUE(notes.contains(U("列数、行数とも最大５１２まで"))) << notes.join('|').toStdString();
    dialog.ColumnsEdit()->setText(U("５１２"));
    dialog.RowsEdit()->setText(U("３００"));
    EXPECT_TRUE(Accept(dialog).isEmpty());
    EXPECT_EQ(dialog.Values().Columns, 512);
    EXPECT_EQ(dialog.Values().Rows, 300);
    EXPECT_TRUE(dialog.RowsEdit()->inputMethodHints() & Qt::ImhPreferNumbers);
    dialog.ColumnsEdit()->setText(U("５１３"));
    EXPECT_EQ(Accept(dialog), U("1 から 512 までの整数を入力してください。"));
}

TEST(ChipSizeDialog, ExchangesListIndicesAndNoEntryGivesEight)
{
    MemorySettingsStore store;
    QtUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    ChipWidth = 40;  // from a map file: no list entry
    ChipHeight = 24;
    WhenModalShown<CSetChipSizeDlg>([](CSetChipSizeDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), U("チップサイズ変更"));
        EXPECT_EQ(dialog.WidthCombo()->currentIndex(), -1);
        EXPECT_EQ(dialog.HeightCombo()->currentText(), QStringLiteral("24"));
        EXPECT_FALSE(dialog.DefaultCheck()->isChecked());
        dialog.HeightCombo()->setEditText(QStringLiteral("32"));
        dialog.accept();
    });
    OnChipSize(doc);
    EXPECT_EQ(ChipWidth, 8);
    EXPECT_EQ(ChipHeight, 32);
    ChipWidth = 16;
    ChipHeight = 16;
}

TEST(SettingsDialog, FontSizeOutOfRangeIsIgnoredAndFifteenAccepted)
{
    MemorySettingsStore store;
    QtUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    struct Case {
        const char* Typed;
        int Expected;
        bool Modified;
    };
    for (const Case& c : {Case{"40", 14, false}, Case{"9", 14, false}, Case{"15", 15, true}}) {
        SCOPED_TRACE(c.Typed);
        doc.SetModifiedFlag(false);
        WhenModalShown<COptionDlg>([&c](COptionDlg& dialog) {
            dialog.FontSizeCombo()->setEditText(QString::fromLatin1(c.Typed));
            dialog.DefaultCheck()->setChecked(true);
            dialog.accept();
        });
        OnSettings(doc);
        EXPECT_EQ(doc.FontSize, c.Expected);
        EXPECT_EQ(doc.IsModified(), c.Modified);
        EXPECT_EQ(store.ReadInt("DEFAULT", "FontSize", 0), c.Expected);
    }
}

TEST(SettingsDialog, FillsEveryControlAndReadsThemBack)
{
    SettingsDialogValues values;
    values.BType = "dat";
    values.SaveEvent = 1;
    values.SaveEventMap = 2;
    values.SaveEventRem = 0;
    values.FontSizeText = "14";
    values.Color = 0x0000FF;
    values.SaveText = 1;
    values.MakeDefault = true;
    values.TextOption = Cp932("町");
    values.IntOptions[2] = -5;
    COptionDlg dialog(values);
    QStringList shown;
    dialog.MessageSink = [&shown](const QString& text) { shown << text; };
    EXPECT_EQ(dialog.windowTitle(), U("各種設定"));
    EXPECT_EQ(dialog.BTypeEdit()->text(), QStringLiteral("dat"));
    EXPECT_TRUE(dialog.SaveEventCheck()->isChecked());
    EXPECT_EQ(dialog.EventMapCombo()->currentText(), U("フルパス"));
    EXPECT_EQ(dialog.FontSizeCombo()->currentIndex(), 4);
    EXPECT_FALSE(dialog.DefaultCheck()->isChecked());  // never starts checked
    EXPECT_EQ(dialog.TextOptionEdit()->text(), U("町"));
    EXPECT_EQ(dialog.IntOptionEdit(2)->text(), QStringLiteral("-5"));
    EXPECT_EQ(dialog.Swatch()->Color(), QColor(255, 0, 0));

    // A numeric attribute must begin with an integer; trailing text is ignored.
    dialog.IntOptionEdit(1)->setText(QStringLiteral("x1"));
    EXPECT_EQ(Accept(dialog), U("整数を入力してください。"));
    EXPECT_EQ(shown.size(), 1);
    dialog.IntOptionEdit(1)->setText(QStringLiteral("  12px"));
    // A character the code page cannot hold is refused where it was typed.
    dialog.TextOptionEdit()->setText(QStringLiteral("\U0001F600"));
    EXPECT_FALSE(Accept(dialog).isEmpty());
    dialog.TextOptionEdit()->setText(U("港"));
    EXPECT_TRUE(Accept(dialog).isEmpty());
    EXPECT_EQ(dialog.Values().IntOptions[1], 12);
    EXPECT_EQ(dialog.Values().IntOptions[2], -5);
    EXPECT_EQ(dialog.Values().TextOption, Cp932("港"));
    EXPECT_EQ(dialog.Values().SaveEventMap, 2);
    EXPECT_EQ(dialog.Values().Color, 0x0000FFu);
}

TEST(SettingsDialog, ColourChooserOpensOnTheCurrentColour)
{
    SettingsDialogValues values;
    values.FontSizeText = "14";
    values.Color = 0x00FF00;  // green
    COptionDlg dialog(values);
    QColor seen;
    WhenModalShown<QColorDialog>([&seen](QColorDialog& chooser) {
        seen = chooser.currentColor();
        chooser.setCurrentColor(QColor(0, 0, 255));
        chooser.accept();
    });
    dialog.ChangeColorButton()->click();
    EXPECT_EQ(seen, QColor(0, 255, 0));
    EXPECT_EQ(dialog.Swatch()->Color(), QColor(0, 0, 255));
    dialog.accept();
    EXPECT_EQ(dialog.Values().Color, 0xFF0000u);

    // Cancel in the chooser changes nothing.
    WhenModalShown<QColorDialog>([](QColorDialog& chooser) {
        chooser.setCurrentColor(QColor(9, 9, 9));
        chooser.reject();
    });
    dialog.ChangeColorButton()->click();
    EXPECT_EQ(dialog.Swatch()->Color(), QColor(0, 0, 255));
}

TEST(PrintScaleDialog, MessageAndTheEditBoxRules)
{
    CPrintScaleDlg six(6);
    EXPECT_EQ(six.windowTitle(), U("印刷拡大率設定"));
    EXPECT_EQ(six.Message(), U("最大拡大率は6倍です。"));
    EXPECT_TRUE(six.ScaleEdit()->isEnabled());
    EXPECT_EQ(six.ScaleEdit()->text(), QStringLiteral("1"));
    six.ScaleEdit()->setText(QStringLiteral("7"));
    six.MessageSink = [](const QString&) {};
    EXPECT_EQ(Accept(six), U("1 から 6 までの整数を入力してください。"));
    six.ScaleEdit()->setText(QStringLiteral("4"));
    EXPECT_TRUE(Accept(six).isEmpty());
    EXPECT_EQ(six.Scale(), 4);
    EXPECT_FALSE(six.FitToPaper());

    // Fit to paper skips the range check.
    CPrintScaleDlg fit(6);
    fit.FitCheck()->click();
    EXPECT_FALSE(fit.ScaleEdit()->isEnabled());
    fit.ScaleEdit()->setText(QStringLiteral("99"));
    EXPECT_TRUE(Accept(fit).isEmpty());
    EXPECT_TRUE(fit.FitToPaper());

    // A maximum of 1: no message, the box disabled until the check box is clicked twice.
    CPrintScaleDlg one(1);
    EXPECT_TRUE(one.Message().isEmpty());
    EXPECT_FALSE(one.ScaleEdit()->isEnabled());
    one.FitCheck()->click();
    one.FitCheck()->click();
    EXPECT_TRUE(one.ScaleEdit()->isEnabled());
    one.ScaleEdit()->setText(QStringLiteral("3"));
    EXPECT_TRUE(Accept(one).isEmpty());
    EXPECT_EQ(one.Scale(), 3);
    one.MessageSink = [](const QString&) {};
    one.ScaleEdit()->setText(QStringLiteral("0"));
    EXPECT_FALSE(Accept(one).isEmpty());
    one.ScaleEdit()->setText(QStringLiteral("x"));
    EXPECT_EQ(Accept(one), U("整数を入力してください。"));
}

TEST(AboutDialog, ShowsTheVersionLine)
{
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), U("バージョン情報 Quelp"));
    const QLabel* line = dialog.findChild<QLabel*>(QStringLiteral("version"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("Quelp, Version 1.40"));
}

TEST(QtUiPortTest, MeasuresWithTheMapFontAndRunsTheMapSizeDialog)
{
    QtUiPort ui;
    const IntSize small = ui.MeasureText("AB", MapFontFace(), 10);
    const IntSize large = ui.MeasureText("AB", MapFontFace(), 20);
    EXPECT_GT(small.Width, 0);
    EXPECT_GT(large.Width, small.Width);
    EXPECT_GT(large.Height, small.Height);

    MapSizeDialogValues values{50, 50};
    WhenModalShown<CSetMapSizeDlg>([](CSetMapSizeDlg& dialog) {
        dialog.ColumnsEdit()->setText(QStringLiteral("60"));
        dialog.accept();
    });
    EXPECT_TRUE(ui.RunMapSizeDialog(values));
    EXPECT_EQ(values.Columns, 60);
    WhenModalShown<CSetMapSizeDlg>([](CSetMapSizeDlg& dialog) { dialog.reject(); });
    EXPECT_FALSE(ui.RunMapSizeDialog(values));
    EXPECT_EQ(values.Columns, 60);
}
