#include "app/qsettingsstore.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "support/fakeuiport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(QSettingsStore, DefaultsOnAnEmptyStoreAndARoundTripThroughARealIniFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath("Quelp.conf");
    FakeUiPort ui;
    {
        QSettingsStore store(ini);
        CQuelpDoc doc(store, ui);
        doc.OnNewDocument();
        EXPECT_EQ(doc.FontSize, 14);
        EXPECT_EQ(doc.BType, "mpb");
        EXPECT_EQ(store.ReadInt(kDefaultSection, "ChipWidth", 16), 16);
        doc.FontSize = 20;
        doc.TextColor = 0x00FF8040;
        doc.BType = Cp932("ﾃﾞｰﾀ");
        doc.SaveEventMap = 2;
        doc.SaveDefaultSettings();
    }
    ASSERT_TRUE(QFile::exists(ini));
    QSettingsStore reopened(ini);
    CQuelpDoc doc(reopened, ui);
    doc.OnNewDocument();
    EXPECT_EQ(doc.FontSize, 20);
    EXPECT_EQ(doc.TextColor, 0x00FF8040u);
    EXPECT_EQ(doc.BType, Cp932("ﾃﾞｰﾀ"));
    EXPECT_EQ(doc.SaveEventMap, 2);
    EXPECT_EQ(reopened.Settings().value("DEFAULT/FontSize").toString(), "20");
}
