#include "core/cp932.h"
#include "support/fakeuiport.h"
#include "views/eventdlg.h"
#include "views/layeroptiondlg.h"
#include "views/textstatusdlg.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST(EventDlg, ShowsAndReadsBackEveryField)
{
    CEventDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("移動先・イベント設定"));
    EventDialogValues v{5, Cp932("町.mpx"), 3, 4, 7, -8, Cp932("入口")};
    dialog.SetValues(v);
    EXPECT_EQ(dialog.MapEdit()->text(), QString::fromUtf8("町.mpx"));
    dialog.Option2Edit()->setText(" -9 ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    v.Option2 = -9;
    const EventDialogValues& r = dialog.Values();
    EXPECT_EQ(r.Type, 5);
    EXPECT_EQ(r.Map, v.Map);
    EXPECT_EQ(r.X, 3);
    EXPECT_EQ(r.Y, 4);
    EXPECT_EQ(r.Option1, 7);
    EXPECT_EQ(r.Option2, -9);
    EXPECT_EQ(r.Rem, v.Rem);
}

TEST(EventDlg, RefusesWhatIsNotAnIntegerOrNotCp932)
{
    CEventDlg dialog;
    std::vector<QString> messages;
    dialog.MessageSink = [&](const QString& m) { messages.push_back(m); };
    dialog.XEdit()->setText("12a");
    dialog.accept();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QString::fromUtf8("整数を入力してください。"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.XEdit()->setText("12");
    dialog.RemEdit()->setText(QString::fromUtf8("\U0001F600"));
    dialog.accept();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].contains(QString::fromUtf8("\U0001F600")));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(EventDlg, ReadsTheFullWidthDigitsAnInputMethodTypes)
{
    CEventDlg dialog;
    dialog.TypeEdit()->setText(QString::fromUtf8("１２"));
    dialog.XEdit()->setText(QString::fromUtf8("－３"));
    dialog.YEdit()->setText(QString::fromUtf8("\u22124"));   // the minus sign
    dialog.Option1Edit()->setText(QString::fromUtf8("＋５"));
    dialog.Option2Edit()->setText(QString::fromUtf8("\u3000７\u3000"));
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const EventDialogValues& r = dialog.Values();
    EXPECT_EQ(r.Type, 12);
    EXPECT_EQ(r.X, -3);
    EXPECT_EQ(r.Y, -4);
    EXPECT_EQ(r.Option1, 5);
    EXPECT_EQ(r.Option2, 7);
    // The integer boxes ask the input method for numbers; the text boxes do not.
    EXPECT_TRUE(dialog.XEdit()->inputMethodHints() & Qt::ImhPreferNumbers);
    EXPECT_FALSE(dialog.MapEdit()->inputMethodHints() & Qt::ImhPreferNumbers);

    CTextStatusDlg text;
    text.SizeBox()->setEditText(QString::fromUtf8("２４"));
    text.accept();
    EXPECT_EQ(text.Values().SizeText, "24");
}

TEST(EventDlg, BrowseAsksForAMapFileAndTakesThePath)
{
    FakeUiPort ui;
    ui.FileAnswers.push_back(Cp932("/maps/洞窟.mpx"));
    ui.FileAnswers.push_back(std::nullopt);
    CEventDlg dialog(nullptr, &ui);
    dialog.Browse();
    ASSERT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_TRUE(ui.FileRequests[0].Open);
    EXPECT_EQ(ui.FileRequests[0].Filter, Cp932("マップ ファイル (*.mpx)|*.mpx||"));
    EXPECT_EQ(dialog.MapEdit()->text(), QString::fromUtf8("/maps/洞窟.mpx"));
    dialog.Browse();   // cancelled: the name stays
    EXPECT_EQ(dialog.MapEdit()->text(), QString::fromUtf8("/maps/洞窟.mpx"));
}

TEST(TextStatusDlg, SortedEditableSizesSwatchAndValues)
{
    CTextStatusDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("テキスト属性"));
    QStringList entries;
    for (int i = 0; i < dialog.SizeBox()->count(); ++i)
        entries << dialog.SizeBox()->itemText(i);
    EXPECT_EQ(entries, QStringList({"10", "11", "12", "13", "14", "16", "18", "20", "24", "28",
                                    "32", "38"}));
    EXPECT_TRUE(dialog.SizeBox()->isEditable());
    dialog.SetValues({Cp932("見出し"), "12", 0x0000FF});
    EXPECT_EQ(dialog.Swatch()->palette().color(QPalette::Window), QColor(255, 0, 0));
    dialog.SizeBox()->setEditText("15pt");
    dialog.SetColor(0x00FF00);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().Text, Cp932("見出し"));
    EXPECT_EQ(dialog.Values().SizeText, "15pt");
    EXPECT_EQ(dialog.Values().Color, 0x00FF00u);
}

TEST(LayerOptionDlg, FilledFromTheValuesWithTheFixedEntries)
{
    QStringList pages;
    for (int i = 0; i < 8; ++i)
        pages << QString::fromUtf8("ページ%1").arg(i);
    CLayerOptionDlg dialog(pages);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("レイヤー設定"));
    dialog.SetValues({Cp932("地面"), 4, 2, 1});
    EXPECT_EQ(dialog.PageBox()->currentText(), QString::fromUtf8("ページ4"));
    EXPECT_EQ(dialog.SaveTypeBox()->currentText(), QString::fromUtf8("全データ"));
    EXPECT_EQ(dialog.DataSizeBox()->currentText(), QString::fromUtf8("2バイト"));
    dialog.SaveTypeBox()->setCurrentIndex(3);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().Name, Cp932("地面"));
    EXPECT_EQ(dialog.Values().ChipPage, 4);
    EXPECT_EQ(dialog.Values().SaveType, 3);
    EXPECT_EQ(dialog.Values().DataSizeIndex, 1);
}

}  // namespace
