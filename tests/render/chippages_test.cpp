#include "chipfixture.h"
#include "core/cp932.h"
#include "render/chipcommands.h"

#include <QFile>

namespace {

using ChipPages = RenderDocFixture;

TEST_F(ChipPages, HundredByFiftySheetNumbering)
{
    LoadSheet(0, IndexedSheet(100, 50, 8), "s.png");
    const CChipPage& page = doc.ChipPages[0];
    EXPECT_EQ(page.Columns, 6);
    EXPECT_EQ(page.Rows, 3);
    EXPECT_EQ(page.ChipCount(), 18);
    EXPECT_EQ(ChipSourceRect(page, 7), QRect(16, 16, 16, 16));
    EXPECT_EQ(ChipSourceRect(page, 0), QRect(0, 0, 16, 16));
    EXPECT_EQ(ChipSourceRect(page, 17), QRect(80, 32, 16, 16));
    EXPECT_TRUE(ChipSourceRect(page, 18).isEmpty());
    EXPECT_TRUE(ChipSourceRect(page, -1).isEmpty());
    EXPECT_TRUE(ChipSourceRect(page, -2).isEmpty());
    EXPECT_EQ(page.LeftChip, -1);
    EXPECT_EQ(page.RightChip, -1);
    EXPECT_EQ(page.ChipKinds.size(), 18u);
}

TEST_F(ChipPages, NarrowAndLowSheets)
{
    LoadSheet(0, RgbSheet(10, 40), "narrow.png");
    EXPECT_EQ(doc.ChipPages[0].Columns, 1);
    EXPECT_EQ(doc.ChipPages[0].Rows, 2);
    LoadSheet(1, RgbSheet(40, 10), "low.png");
    EXPECT_EQ(doc.ChipPages[1].Columns, 2);
    EXPECT_EQ(doc.ChipPages[1].Rows, 0);
    EXPECT_EQ(doc.ChipPages[1].ChipCount(), 0);
    EXPECT_TRUE(ChipSourceRect(doc.ChipPages[1], 0).isEmpty());
}

TEST_F(ChipPages, RecutFrom16To32ChangesWhatANumberNames)
{
    LoadSheet(0, IndexedSheet(256, 64, 8), "wide.png");
    CChipPage& page = doc.ChipPages[0];
    EXPECT_EQ(page.Columns, 16);
    EXPECT_EQ(ChipSourceRect(page, 9), QRect(144, 0, 16, 16));
    page.LeftChip = 3;
    int w = 32, h = 32;
    ASSERT_TRUE(CutChipPage(page, w, h));
    EXPECT_EQ(page.Columns, 8);
    EXPECT_EQ(page.Rows, 2);
    EXPECT_EQ(ChipSourceRect(page, 9), QRect(32, 32, 32, 32));
    EXPECT_EQ(page.LeftChip, -1);
}

TEST_F(ChipPages, ZeroChipWidthBecomes16By16)
{
    const std::string path = SaveSheet(dir, RgbSheet(64, 64), "z.png");
    int w = 0, h = 24;
    ASSERT_TRUE(LoadChipPage(doc.ChipPages[2], path, w, h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(doc.ChipPages[2].Columns, 4);
    // A zero height would divide by zero: it is refused the same way.
    int w2 = 24, h2 = 0;
    ASSERT_TRUE(CutChipPage(doc.ChipPages[2], w2, h2));
    EXPECT_EQ(w2, 16);
    EXPECT_EQ(h2, 16);
}

TEST_F(ChipPages, FailedLoadLeavesSlotEmptyEvenAfterAGoodOne)
{
    LoadSheet(3, RgbSheet(32, 32), "good.png");
    ASSERT_TRUE(doc.ChipPages[3].InUse());
    int w = 16, h = 16;
    EXPECT_FALSE(LoadChipPage(doc.ChipPages[3], dir.filePath("none.png").toStdString(), w, h));
    const CChipPage& page = doc.ChipPages[3];
    EXPECT_FALSE(page.InUse());
    EXPECT_TRUE(page.FilePath.empty());
    EXPECT_TRUE(page.Prepared.isNull());
    EXPECT_EQ(page.Columns, 0);
    EXPECT_EQ(page.ChipCount(), 0);
}

TEST_F(ChipPages, UnreadStoredSheetKeepsItsPathThroughRecuts)
{
    // A sheet a map names but that cannot be read: the page keeps the path and stays unused.
    LoadSheet(3, RgbSheet(32, 32), "good.png");
    const std::string missing = dir.filePath("none.png").toStdString();
    int w = 16, h = 16;
    std::string reason;
    EXPECT_FALSE(LoadStoredChipPage(doc.ChipPages[3], missing, w, h, reason));
    EXPECT_EQ(reason, "ファイルが見つかりません");
    CChipPage& page = doc.ChipPages[3];
    EXPECT_EQ(page.FilePath, missing);
    EXPECT_FALSE(page.InUse());
    EXPECT_TRUE(page.Prepared.isNull());
    EXPECT_TRUE(page.ChipKinds.empty());
    EXPECT_EQ(page.ChipCount(), 0);
    EXPECT_FALSE(CutChipPage(page, w, h));
    EXPECT_EQ(page.FilePath, missing);
    ui.ChipSizeAnswers.push_back({true, ChipSizeDialogValues{2, 2, false}, {}});
    OnChipSize(doc);
    EXPECT_EQ(page.FilePath, missing);
    EXPECT_FALSE(page.InUse());
    EXPECT_EQ(LoadChipPageMenuText(doc, 3), "none.png");
    // A file that exists but holds no picture says so.
    QFile text(dir.filePath("text.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    EXPECT_FALSE(LoadStoredChipPage(page, text.fileName().toStdString(), w, h, reason));
    EXPECT_EQ(reason, "画像として読み込めません");
}

TEST_F(ChipPages, LoadingTwiceReplacesTheImage)
{
    LoadSheet(0, RgbSheet(32, 32), "a.png");
    LoadSheet(0, RgbSheet(64, 16), "b.png");
    EXPECT_EQ(doc.ChipPages[0].Image.GetWidth(), 64);
    EXPECT_EQ(doc.ChipPages[0].Columns, 4);
    EXPECT_EQ(doc.ChipPages[0].Rows, 1);
}

TEST_F(ChipPages, PreparedSheetAppliesTheKey)
{
    CImage indexed = IndexedSheet(32, 16, 8);
    indexed.ColorTable[5] = indexed.ColorTable[0];  // same colour as the key: a hole too
    indexed.Pixels.setColorTable(indexed.ColorTable);
    LoadSheet(0, indexed, "k8.png");
    LoadSheet(1, IndexedSheet(32, 16, 4), "k4.bmp");
    LoadSheet(2, RgbSheet(32, 16), "rgb.bmp");
    LoadSheet(3, AlphaSheet(32, 16), "alpha.png");
    // Index (x / 4 + y) mod n: (0, 0) is entry 0, (4, 0) entry 1, (0, 5) entry 5.
    const QImage& p8 = doc.ChipPages[0].Prepared;
    EXPECT_EQ(p8.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(p8.pixel(0, 0), 0u);
    EXPECT_EQ(p8.pixel(0, 5), 0u);
    EXPECT_EQ(p8.pixel(4, 0), TestPalette(256)[1]);
    EXPECT_EQ(doc.ChipPages[1].Prepared.pixel(0, 0), 0u);
    EXPECT_EQ(doc.ChipPages[1].Prepared.pixel(4, 0), TestPalette(16)[1]);
    // A 24-bit sheet has no key, even where its colour is black.
    EXPECT_EQ(doc.ChipPages[2].Prepared.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(doc.ChipPages[2].ChipKinds, (std::vector<uint8_t>{1, 1}));
    // Alpha sheets: premultiplied by their alpha.
    const QImage& pa = doc.ChipPages[3].Prepared;
    const QRgb* row = reinterpret_cast<const QRgb*>(pa.constScanLine(1));
    EXPECT_EQ(row[2], 0u);
    const QRgb half = row[10];
    EXPECT_EQ(qAlpha(half), 128);
    EXPECT_NEAR(qRed(half), qRed(TrueColorAt(10, 1)) * 128 / 255, 1);
    EXPECT_EQ(doc.ChipPages[3].ChipKinds, (std::vector<uint8_t>{3, 1}));
    EXPECT_EQ(doc.ChipPages[0].ChipKinds, (std::vector<uint8_t>{2, 2}));
}

TEST(ChipPageName, FromPathOrNumber)
{
    struct Case {
        std::string Path;
        int Number;
        std::string Name;
        bool FromPath;
    };
    const std::vector<Case> cases = {
        {"C:\\maps\\tiles.png", 2, "tiles.png", true},
        {"/home/u/maps/a.bmp", 0, "a.bmp", true},
        {"dir\\sub/b.gif", -1, "b.gif", true},
        {Cp932("d:\\ソース\\ソ.png"), 1, Cp932("ソ.png"), true},  // 0x5C trail bytes
        {"", 3, Cp932("ページ3"), false},
        {"", -1, "", false},
    };
    for (const Case& c : cases) {
        CChipPage page;
        page.FilePath = c.Path;
        std::string name = "old";
        EXPECT_EQ(GetChipPageName(c.Number, page, name), c.FromPath) << c.Path;
        EXPECT_EQ(name, c.Name) << c.Path;
    }
}

// --- the document commands ---

TEST_F(ChipPages, LoadCommandLoadsWithCurrentSizeAndMarksModified)
{
    const std::string path = SaveSheet(dir, RgbSheet(64, 32), "cmd.png");
    ChipWidth = 0;
    ui.FileAnswers.push_back(Utf8ToCp932(path).Bytes);
    OnLoadChipPage(doc, 5);
    ASSERT_EQ(ui.FileRequests.size(), 1u);
    const FileDialogRequest& r = ui.FileRequests[0];
    EXPECT_TRUE(r.Open);
    EXPECT_TRUE(r.DefaultExt.empty());
    EXPECT_TRUE(r.InitialName.empty());
    EXPECT_EQ(r.Filter,
              Cp932("PNGファイル (*.png)|*.png|Gifフィル (*.gif)|*.gif|Bitmapファイル (*.bmp)|*.bmp|"));
    EXPECT_TRUE(doc.ChipPages[5].InUse());
    EXPECT_EQ(ChipWidth, 16);
    EXPECT_EQ(ChipHeight, 16);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints.Hints, std::vector<int>{23});
    EXPECT_EQ(LoadChipPageMenuText(doc, 5), "cmd.png");
    EXPECT_EQ(LoadChipPageMenuText(doc, 4), Cp932("ページ4"));
    EXPECT_TRUE(OnLoadChipPageEnabled(doc));
}

TEST_F(ChipPages, LoadCommandFailureStillMarksModified)
{
    ui.FileAnswers.push_back(dir.filePath("missing.png").toStdString());
    OnLoadChipPage(doc, 0);
    EXPECT_FALSE(doc.ChipPages[0].InUse());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints.Hints, std::vector<int>{23});
}

TEST_F(ChipPages, LoadCommandCancelDoesNothing)
{
    ui.FileAnswers.push_back(std::nullopt);
    OnLoadChipPage(doc, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(hints.Hints.empty());
}

TEST_F(ChipPages, ChipSizeCommandRecutsAndResets)
{
    LoadSheet(0, IndexedSheet(256, 64, 8), "p0.png");
    doc.ChipPages[0].LeftChip = 4;
    doc.ChipPages[0].RightChip = 5;
    doc.SelectPhase = 1;
    doc.Clipboard.Right = 3;
    doc.TypedText = "abc";
    doc.UndoCount = 2;
    ui.ChipSizeAnswers.push_back({true, ChipSizeDialogValues{2, 1, false}, {}});
    OnChipSize(doc);
    ASSERT_EQ(ui.ChipSizeShown.size(), 1u);
    EXPECT_EQ(ui.ChipSizeShown[0].WidthIndex, 0);
    EXPECT_EQ(ui.ChipSizeShown[0].HeightIndex, 0);
    EXPECT_FALSE(ui.ChipSizeShown[0].MakeDefault);
    EXPECT_EQ(ChipWidth, 32);
    EXPECT_EQ(ChipHeight, 24);
    EXPECT_EQ(doc.ChipPages[0].Columns, 8);
    EXPECT_EQ(doc.ChipPages[0].ChipWidth, 32);
    EXPECT_EQ(doc.ChipPages[0].LeftChip, -1);
    EXPECT_EQ(doc.ChipPages[0].RightChip, -1);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_EQ(doc.UndoCount, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints.Hints, std::vector<int>{19});  // the typed text goes without its hint 2
    EXPECT_FALSE(store.Contains(kDefaultSection, "ChipWidth"));
}

TEST_F(ChipPages, ChipSizeIndexRules)
{
    struct Case {
        int Current;
        int Shown;
    };
    for (const Case c : {Case{16, 0}, Case{24, 1}, Case{32, 2}, Case{40, -1}, Case{8, -1}}) {
        ChipWidth = c.Current;
        ui.ChipSizeAnswers.push_back({true, {}, [](ChipSizeDialogValues&) {}});
        OnChipSize(doc);
        EXPECT_EQ(ui.ChipSizeShown.back().WidthIndex, c.Shown) << c.Current;
        // OK without choosing keeps the shown index: no entry gives 8.
        EXPECT_EQ(ChipWidth, c.Shown == -1 ? 8 : c.Current) << c.Current;
    }
}

TEST_F(ChipPages, ChipSizeCommandStoresDefaultsWhenAsked)
{
    ui.ChipSizeAnswers.push_back({true, ChipSizeDialogValues{1, -1, true}, {}});
    OnChipSize(doc);
    EXPECT_EQ(store.ReadInt(kDefaultSection, "ChipWidth", 0), 24);
    EXPECT_EQ(store.ReadInt(kDefaultSection, "ChipHeight", 0), 8);
}

TEST_F(ChipPages, ChipSizeCancelAndEnableRule)
{
    ui.ChipSizeAnswers.push_back({false, {}, {}});
    OnChipSize(doc);
    EXPECT_EQ(ChipWidth, 16);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(hints.Hints.empty());
    EXPECT_TRUE(OnChipSizeEnabled(doc));
    doc.Layers[6].View = 0;
    doc.Layers[6].Cells = CellGrid(static_cast<size_t>(doc.Columns * doc.Rows), -1);
    EXPECT_FALSE(OnChipSizeEnabled(doc));
}

}  // namespace
