#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "core/settings.h"
#include "support/fakeuiport.h"

#include <gtest/gtest.h>

namespace {
struct SettingsFixture : ::testing::Test {
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    HintRecorder hints;
    void SetUp() override
    {
        doc.OnNewDocument();
        doc.AddView(&hints);
    }
};
}  // namespace

TEST_F(SettingsFixture, EmptyStoreGivesTheDefaults)
{
    EXPECT_EQ(doc.TextColor, 0u);
    EXPECT_EQ(doc.FontSize, 14);
    EXPECT_EQ(doc.SaveText, 0);
    EXPECT_EQ(doc.SaveEvent, 1);
    EXPECT_EQ(doc.SaveEventMap, 0);
    EXPECT_EQ(doc.SaveEventRem, 0);
    EXPECT_EQ(doc.BType, "mpb");
    EXPECT_EQ(store.WriteCount(), 0);
}

TEST_F(SettingsFixture, FontSizeRule)
{
    struct Case { const char* text; int expected; bool changed; };
    const Case cases[] = {
        {"40", 14, false}, {"9", 14, false}, {"15", 15, true}, {"38", 38, true},
        {"10", 10, true},  {" 20pt", 20, true}, {"abc", 14, false}, {"14", 14, false},
    };
    for (const Case& c : cases) {
        doc.FontSize = 14;
        SettingsDialogValues v = SettingsValuesFromDocument(doc);
        v.FontSizeText = c.text;
        EXPECT_EQ(ApplySettings(v, doc), c.changed) << c.text;
        EXPECT_EQ(doc.FontSize, c.expected) << c.text;
    }
}

TEST_F(SettingsFixture, UnchangedDialogReportsNothing)
{
    EXPECT_FALSE(ApplySettings(SettingsValuesFromDocument(doc), doc));
    SettingsDialogValues v = SettingsValuesFromDocument(doc);
    v.BType = "dat";
    EXPECT_TRUE(ApplySettings(v, doc));
    EXPECT_EQ(doc.BType, "dat");
}

TEST_F(SettingsFixture, OkWithMakeDefaultWritesSevenKeysButNotTheMapAttributes)
{
    doc.TypedText = "x";
    ui.SettingsAnswers.push_back({true, {}, [](SettingsDialogValues& v) {
                                      v.MakeDefault = true;
                                      v.FontSizeText = "40";
                                      v.TextOption = "town";
                                      v.IntOptions[2] = 7;
                                  }});
    OnSettings(doc);
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_EQ(doc.TextOption, "town");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints.Hints, (std::vector<int>{2, 7, 66}));
    EXPECT_EQ(store.WriteCount(), 7);
    EXPECT_EQ(store.ReadInt(kDefaultSection, "FontSize", 0), 14);
    EXPECT_FALSE(store.Contains(kDefaultSection, "TextOption"));
    EXPECT_FALSE(store.Contains(kDefaultSection, "IntOptions"));
}

TEST_F(SettingsFixture, OkWithoutEditsDoesNotMarkModifiedButStillWritesDefaultsWhenAsked)
{
    ui.SettingsAnswers.push_back({true, {}, [](SettingsDialogValues& v) { v.MakeDefault = true; }});
    OnSettings(doc);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(hints.Hints, std::vector<int>{7});
    EXPECT_EQ(store.WriteCount(), 7);
}

TEST_F(SettingsFixture, CancelChangesNothing)
{
    doc.SelectPhase = 1;
    ui.SettingsAnswers.push_back({false, {}, {}});
    OnSettings(doc);
    EXPECT_EQ(doc.SelectPhase, 0);  // the pending selection is still ended first
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(store.WriteCount(), 0);
    ASSERT_EQ(ui.SettingsShown.size(), 1u);
    EXPECT_EQ(ui.SettingsShown[0].FontSizeText, "14");
    EXPECT_FALSE(ui.SettingsShown[0].MakeDefault);
}

TEST_F(SettingsFixture, ExtensionChangeLastsUntilTheNextNewMap)
{
    SettingsDialogValues v = SettingsValuesFromDocument(doc);
    v.BType = "bin";
    ASSERT_TRUE(ApplySettings(v, doc));
    doc.OnNewDocument();
    EXPECT_EQ(doc.BType, "mpb");
}

TEST(Cp932, RoundTripAndUnmappable)
{
    const Cp932Result hyo = Utf8ToCp932("表a");
    ASSERT_TRUE(hyo.Ok());
    EXPECT_EQ(hyo.Bytes, "\x95\x5C" "a");
    EXPECT_EQ(Cp932ToUtf8(hyo.Bytes), "表a");

    const Cp932Result emoji = Utf8ToCp932("a😀b");
    EXPECT_FALSE(emoji.Ok());
    EXPECT_EQ(emoji.Bytes, "ab");
    EXPECT_EQ(emoji.Unmappable, std::u32string(1, U'\U0001F600'));

    EXPECT_TRUE(IsCp932LeadByte(0x81));
    EXPECT_TRUE(IsCp932LeadByte(0xFC));
    EXPECT_FALSE(IsCp932LeadByte(0xA0));
    EXPECT_FALSE(IsCp932LeadByte(0x5C));
    EXPECT_EQ(QStringFromCp932(Cp932("無題")), QString::fromUtf8("無題"));
}
