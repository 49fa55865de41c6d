#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "render/chippages.h"
#include "render/imageexport.h"
#include "render/imagefile.h"
#include "support/fakeuiport.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct PictureMap {
    MemorySettingsStore Store;
    FakeUiPort Ui;
    CQuelpDoc Doc{Store, Ui};
    QTemporaryDir Dir;

    PictureMap(int columns, int rows)
    {
        ChipWidth = 16;
        ChipHeight = 16;
        Doc.OnNewDocument();
        Doc.Columns = columns;
        Doc.Rows = rows;
    }
    std::string Path(const char* name) const { return (Dir.path() + "/" + name).toStdString(); }

    // An 8-bit sheet of 2 x 1 chips: chip 0 is entry 5, chip 1 is entry 0 (the key) with a dot of
    // entry 7.
    void LoadIndexedSheet(int page)
    {
        QImage sheet(32, 16, QImage::Format_Indexed8);
        QVector<QRgb> table;
        for (int i = 0; i < 256; ++i)
            table.push_back(qRgb(i, 255 - i, (i * 7) & 255));
        sheet.setColorTable(table);
        sheet.fill(5);
        for (int y = 0; y < 16; ++y)
            for (int x = 16; x < 32; ++x)
                sheet.setPixel(x, y, 0);
        sheet.setPixel(20, 3, 7);
        ASSERT_TRUE(sheet.save(QString::fromStdString(Path("indexed.png"))));
        int w = 16, h = 16;
        ASSERT_TRUE(LoadChipPage(Doc.ChipPages[page], Path("indexed.png"), w, h));
        ASSERT_EQ(Doc.ChipPages[page].Image.GetBPP(), 8);
    }
    void LoadRgbSheet(int page, QColor color)
    {
        QImage sheet(32, 16, QImage::Format_RGB888);
        sheet.fill(color);
        ASSERT_TRUE(sheet.save(QString::fromStdString(Path("rgb.png"))));
        int w = 16, h = 16;
        ASSERT_TRUE(LoadChipPage(Doc.ChipPages[page], Path("rgb.png"), w, h));
    }
};

TEST(ImageExport, EnabledWhenAShownLayerHasCells)
{
    PictureMap map(2, 2);
    EXPECT_FALSE(OnSaveMapImageEnabled(map.Doc));
    map.Doc.Layers[3].Cells = CellGrid(4, -1);
    map.Doc.Layers[3].View = 0;
    EXPECT_FALSE(OnSaveMapImageEnabled(map.Doc));
    map.Doc.Layers[3].View = 1;
    EXPECT_TRUE(OnSaveMapImageEnabled(map.Doc));
}

TEST(ImageExport, WholeMapIs24BitOnBlackWithoutHiddenLayers)
{
    PictureMap map(3, 2);
    map.LoadRgbSheet(0, QColor(0, 0, 255));
    map.Doc.Layers[0].Cells = CellGrid{0, -1, -1, -1, -1, -1};
    map.Doc.Layers[1].Cells = CellGrid{-1, -1, -1, -1, -1, 1};
    map.Doc.Layers[1].View = 0;
    ASSERT_TRUE(WriteMapImage(map.Doc, map.Path("map.bmp")));
    CImage image;
    ASSERT_TRUE(LoadImageFile(image, map.Path("map.bmp")));
    EXPECT_EQ(image.GetBPP(), 24);
    ASSERT_EQ(image.Pixels.size(), QSize(48, 32));
    EXPECT_EQ(image.Pixels.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(image.Pixels.pixel(40, 20), qRgb(0, 0, 0));  // the hidden layer is absent

    // On its own the hidden layer is drawn.
    ASSERT_TRUE(WriteLayerImage(map.Doc, 1, map.Path("layer.png")));
    ASSERT_TRUE(LoadImageFile(image, map.Path("layer.png")));
    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_EQ(image.Pixels.pixel(40, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.Pixels.pixel(3, 3), qRgb(0, 0, 0));
}

TEST(ImageExport, LayerOnAnIndexedSheetKeepsItsColourTable)
{
    PictureMap map(3, 1);
    map.LoadIndexedSheet(2);
    map.Doc.Layers[4].ChipPage = 2;
    map.Doc.Layers[4].Cells = CellGrid{0, -1, 1};
    ASSERT_TRUE(WriteLayerImage(map.Doc, 4, map.Path("layer.png")));
    CImage image;
    ASSERT_TRUE(LoadImageFile(image, map.Path("layer.png")));
    EXPECT_EQ(image.GetBPP(), 8);
    ASSERT_GE(image.ColorTable.size(), 8);
    EXPECT_EQ(image.ColorTable[5], map.Doc.ChipPages[2].Image.ColorTable[5]);
    EXPECT_EQ(image.Pixels.pixelIndex(3, 3), 5);
    EXPECT_EQ(image.Pixels.pixelIndex(20, 3), 0);      // empty cell: entry 0
    EXPECT_EQ(image.Pixels.pixelIndex(32 + 2, 2), 0);  // the key stays entry 0
    EXPECT_EQ(image.Pixels.pixelIndex(32 + 4, 3), 7);
}

TEST(ImageExport, FormatByExtensionAndNothingForOthers)
{
    PictureMap map(1, 1);
    map.Doc.Layers[0].Cells = CellGrid{-1};
    for (const char* name : {"a.png", "a.gif", "a.bmp", "a.jpg"}) {
        ASSERT_TRUE(WriteMapImage(map.Doc, map.Path(name))) << name;
        QImage image(QString::fromStdString(map.Path(name)));
        EXPECT_EQ(image.size(), QSize(16, 16)) << name;
    }
    std::string error;
    EXPECT_FALSE(WriteMapImage(map.Doc, map.Path("a.txt"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(map.Path("a.txt"))));
    EXPECT_FALSE(WriteLayerImage(map.Doc, 0, map.Path("b.txt")));
    EXPECT_FALSE(WriteLayerImage(map.Doc, 8, map.Path("b.png")));
}

TEST(ImageExport, BandedPngEqualsTheWholePicture)
{
    // Taller than one band, with texts and an event across band edges.
    PictureMap map(5, 40);
    map.LoadRgbSheet(0, QColor(10, 120, 40));
    map.Doc.Layers[0].Cells = CellGrid(200, -1);
    for (int i = 0; i < 200; i += 3)
        (*map.Doc.Layers[0].Cells)[static_cast<std::size_t>(i)] = 0;
    CMemo memo;
    memo.Text = Cp932("境界の文字");
    memo.Rect = {3, 16 * 16 - 9, 80, 16 * 16 + 20};
    memo.Size = 20;
    memo.Color = 0x00FFFFFF;
    map.Doc.Texts.Append(memo);
    CEventData event;
    event.Type = 1;
    event.Rect = {1, 14, 3, 18};
    map.Doc.Events.Append(event);
    map.Doc.ViewEvent = 1;

    ASSERT_TRUE(WriteMapImage(map.Doc, map.Path("banded.png")));
    ASSERT_TRUE(WriteMapImage(map.Doc, map.Path("whole.bmp")));
    const QImage banded = QImage(QString::fromStdString(map.Path("banded.png")))
                              .convertToFormat(QImage::Format_RGB32);
    const QImage whole = QImage(QString::fromStdString(map.Path("whole.bmp")))
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(banded.size(), QSize(80, 640));
    EXPECT_EQ(banded, whole);
    // The text really is there.
    int white = 0;
    for (int y = 16 * 16 - 9; y < 16 * 16 + 20; ++y)
        for (int x = 0; x < 80; ++x)
            white += banded.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 10);
}

TEST(ImageExport, CommandsAskThroughTheDialog)
{
    PictureMap map(2, 2);
    map.Doc.Layers[0].Cells = CellGrid(4, -1);
    map.Ui.FileAnswers.push_back(std::nullopt);
    OnSaveMapImage(map.Doc);
    ASSERT_EQ(map.Ui.FileRequests.size(), 1u);
    EXPECT_FALSE(map.Ui.FileRequests[0].Open);
    EXPECT_EQ(map.Ui.FileRequests[0].Filter, ImageSaveFilter());
    EXPECT_TRUE(map.Ui.FileRequests[0].InitialName.empty());
    EXPECT_NE(ImageSaveFilter().find("*.jpg||"), std::string::npos);

    map.Ui.FileAnswers.push_back(map.Path("layer.png"));
    map.Doc.SetModifiedFlag(false);
    SaveLayerImage(0, map.Doc);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(map.Path("layer.png"))));
    EXPECT_FALSE(map.Doc.IsModified());
    EXPECT_TRUE(map.Ui.Messages.empty());
    // The writing showed the busy cursor; the dialog before it did not.
    EXPECT_EQ(map.Ui.BusyCount, 1);
    EXPECT_EQ(map.Ui.BusyDepth, 0);
}

TEST(ImageExport, AFailureSaysOnceWhichFileAndWhyInJapanese)
{
    PictureMap map(2, 2);
    map.Doc.Layers[0].Cells = CellGrid(4, 0);
    struct Case {
        const char* Name;
        bool Layer;
        const char* Reason;
    };
    const Case cases[] = {
        {"no/such/folder/map.png", false, "ファイルが見つかりません"},  // PNG in bands
        {"no/such/folder/map.bmp", false, "ファイルが見つかりません"},
        {"no/such/folder/layer.gif", true, "ファイルが見つかりません"},
        {"map.txt", false, "拡張子が画像の形式 (.png .gif .bmp .jpg) ではありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        map.Ui.FileAnswers.push_back(map.Path(c.Name));
        if (c.Layer)
            SaveLayerImage(0, map.Doc);
        else
            OnSaveMapImage(map.Doc);
        ASSERT_FALSE(map.Ui.MessageTexts.empty());
        EXPECT_EQ(map.Ui.MessageTexts.back(),
                  QString::fromUtf8("ファイルを保存に失敗しました。\n") +
                      QString::fromStdString(map.Path(c.Name)) + QStringLiteral(": ") +
                      QString::fromUtf8(c.Reason));
        EXPECT_EQ(map.Ui.MessageKinds.back(), MessageKind::Warning);
    }
}

}  // namespace
