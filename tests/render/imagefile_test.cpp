#include "render/imagefile.h"
#include "sheets.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RoundTrip {
    const char* Name;
    int Bits;          // depth of the picture saved
    bool Exact;        // pixels come back unchanged
    int LoadedBits;    // depth reported after loading
};

CImage MakeSheet(int bits)
{
    switch (bits) {
    case 24:
        return RgbSheet(20, 12);
    case 32:
        return AlphaSheet(20, 12);
    default:
        return IndexedSheet(20, 12, bits);
    }
}

class ImageRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ImageRoundTrip, KeepsDepthTableAndPixels)
{
    const RoundTrip& c = GetParam();
    QTemporaryDir dir;
    const CImage saved = MakeSheet(c.Bits);
    const std::string path = SaveSheet(dir, saved, c.Name);
    CImage loaded;
    std::string error;
    ASSERT_TRUE(LoadImageFile(loaded, path, &error)) << error;
    EXPECT_EQ(loaded.GetWidth(), 20);
    EXPECT_EQ(loaded.GetHeight(), 12);
    EXPECT_EQ(loaded.GetBPP(), c.LoadedBits);
    EXPECT_EQ(loaded.TransparentIndex, -1);
    if (c.Bits <= 8) {
        ASSERT_TRUE(loaded.IsIndexed());
        EXPECT_EQ(loaded.ColorTable, saved.ColorTable);
        EXPECT_EQ(loaded.Pixels.format(), QImage::Format_Indexed8);
    }
    EXPECT_EQ(loaded.HasAlpha(), c.Bits == 32);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const QRgb want = saved.Pixels.pixel(x, y);
            const QRgb got = loaded.Pixels.pixel(x, y);
            if (c.Exact) {
                ASSERT_EQ(got, want) << c.Name << " at " << x << "," << y;
            } else {
                ASSERT_NEAR(qRed(got), qRed(want), 40);
                ASSERT_NEAR(qGreen(got), qGreen(want), 40);
                ASSERT_NEAR(qBlue(got), qBlue(want), 40);
            }
        }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageRoundTrip,
    ::testing::Values(RoundTrip{"a1.png", 1, true, 1}, RoundTrip{"a4.png", 4, true, 4},
                      RoundTrip{"a8.png", 8, true, 8}, RoundTrip{"a24.png", 24, true, 24},
                      RoundTrip{"a32.png", 32, true, 32}, RoundTrip{"b4.bmp", 4, true, 4},
                      RoundTrip{"b8.bmp", 8, true, 8}, RoundTrip{"b24.bmp", 24, true, 24},
                      RoundTrip{"b32.bmp", 32, true, 32}, RoundTrip{"g4.gif", 4, true, 4},
                      RoundTrip{"g8.gif", 8, true, 8}, RoundTrip{"UPPER.PNG", 8, true, 8},
                      RoundTrip{"j24.jpg", 24, false, 24}, RoundTrip{"j24.JPEG", 24, false, 24}),
    [](const auto& info) {
        std::string n = info.param.Name;
        for (char& ch : n)
            if (ch == '.')
                ch = '_';
        return n;
    });

QByteArray ReadAll(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ImageFile, FourBitSheetIsWrittenAsFourBitPngAndBmp)
{
    QTemporaryDir dir;
    const CImage sheet = IndexedSheet(16, 16, 4);
    const QByteArray png = ReadAll(SaveSheet(dir, sheet, "s.png"));
    ASSERT_GT(png.size(), 26);
    EXPECT_EQ(png[24], 4);   // bit depth
    EXPECT_EQ(png[25], 3);   // palette
    const QByteArray bmp = ReadAll(SaveSheet(dir, sheet, "s.bmp"));
    ASSERT_GT(bmp.size(), 30);
    EXPECT_EQ(bmp[28], 4);
}

TEST(ImageFile, TrueColourGifWithFewColoursKeepsThemExactly)
{
    QTemporaryDir dir;
    CImage image;
    ASSERT_TRUE(CreateImage(image, 8, 8, 24));
    image.Pixels.setPixel(3, 4, qRgb(10, 200, 30));
    image.Pixels.setPixel(7, 7, qRgb(250, 251, 252));
    CImage loaded;
    ASSERT_TRUE(LoadImageFile(loaded, SaveSheet(dir, image, "few.gif")));
    EXPECT_TRUE(loaded.IsIndexed());
    EXPECT_EQ(loaded.Pixels.pixel(3, 4), qRgb(10, 200, 30));
    EXPECT_EQ(loaded.Pixels.pixel(7, 7), qRgb(250, 251, 252));
    EXPECT_EQ(loaded.Pixels.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(ImageFile, TrueColourGifWithManyColoursIsReduced)
{
    QTemporaryDir dir;
    const CImage image = RgbSheet(64, 64);
    CImage loaded;
    ASSERT_TRUE(LoadImageFile(loaded, SaveSheet(dir, image, "many.gif")));
    EXPECT_EQ(loaded.GetBPP(), 8);
    const QRgb got = loaded.Pixels.pixel(40, 20), want = image.Pixels.pixel(40, 20);
    EXPECT_NEAR(qRed(got), qRed(want), 48);
    EXPECT_NEAR(qGreen(got), qGreen(want), 48);
}

TEST(ImageFile, ExtensionWithoutFormatWritesNothing)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("map.txt").toStdString();
    std::string error;
    EXPECT_FALSE(SaveImageFile(RgbSheet(4, 4), path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_FALSE(SaveImageFile(RgbSheet(4, 4), dir.filePath("noext").toStdString()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

TEST(ImageFile, FailedSaveLeavesOldFileAndNoTemporary)
{
    QTemporaryDir dir;
    const std::string path = SaveSheet(dir, RgbSheet(4, 4), "keep.png");
    const QByteArray before = ReadAll(path);
    CImage empty;
    EXPECT_FALSE(SaveImageFile(empty, path));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.png"});
    EXPECT_FALSE(SaveImageFile(RgbSheet(4, 4), dir.filePath("no/such/dir/x.png").toStdString()));
}

TEST(ImageFile, LoadFailuresLeaveImageEmpty)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.png");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
    }
    const QByteArray good = ReadAll(SaveSheet(dir, IndexedSheet(16, 16, 8), "t.gif"));
    const QString cut = dir.filePath("cut.gif");
    {
        QFile f(cut);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(good.left(good.size() / 2));
    }
    for (const QString& path : {junk, cut, dir.filePath("missing.bmp")}) {
        CImage image = RgbSheet(4, 4);
        std::string error;
        EXPECT_FALSE(LoadImageFile(image, path.toStdString(), &error)) << path.toStdString();
        EXPECT_TRUE(image.IsNull());
        EXPECT_EQ(image.GetBPP(), 0);
        EXPECT_FALSE(error.empty());
    }
}

TEST(ImageFile, CreateImagePadsTableAndZeroesPixels)
{
    CImage image;
    ASSERT_TRUE(CreateImage(image, 3, 2, 4, {qRgb(1, 2, 3)}));
    EXPECT_EQ(image.ColorTable.size(), 16);
    EXPECT_EQ(image.ColorTable[0], qRgb(1, 2, 3));
    EXPECT_EQ(image.Pixels.pixelIndex(2, 1), 0);
    ASSERT_TRUE(CreateImage(image, 3, 2, 24));
    EXPECT_EQ(image.Pixels.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_FALSE(CreateImage(image, 0, 2, 24));
    EXPECT_FALSE(CreateImage(image, 3, 2, 12));
}

}  // namespace
