// The example map opens with all its sheets, and the committed files are what the generator
// makes.
#include "mapfiletestdoc.h"

#include "core/cp932.h"
#include "mapfile/mapdocumentfile.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const std::string kTown = std::string(QUELP_SOURCE_DIR) + "/examples/town/";

QByteArray ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ExampleTown, OpensWithItsSheets)
{
    TestDoc t;
    std::string error;
    bool notAMap = true;
    ASSERT_TRUE(LoadMapFile(t.Doc, kTown + "town.mpx", error, &notAMap)) << error;
    EXPECT_FALSE(notAMap);
    EXPECT_EQ(t.Doc.Columns, 40);
    EXPECT_EQ(t.Doc.Rows, 30);
    EXPECT_TRUE(t.Doc.ChipPages[0].InUse());
    EXPECT_TRUE(t.Doc.ChipPages[1].InUse());
    EXPECT_EQ(t.Doc.ChipPages[1].Image.GetBPP(), 8);
    EXPECT_EQ(t.Doc.Layers[1].Name, Cp932("建物"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(t.Doc.Layers[i].HasGrid()) << i;
    EXPECT_EQ(t.Doc.Events.GetCount(), 4);
    EXPECT_EQ(t.Doc.Events.At(0).Map, kTown + "inn.mpx");
    EXPECT_EQ(t.Doc.Texts.GetCount(), 4);
}

TEST(ExampleTown, IsWhatTheGeneratorMakes)
{
    QTemporaryDir dir;
    QProcess generator;
    generator.start(QStringLiteral(MAKE_EXAMPLE), {dir.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const std::string made = dir.path().toStdString() + "/";
    EXPECT_EQ(ReadAll(made + "town.mpx"), ReadAll(kTown + "town.mpx"));
    for (const char* sheet : {"ground.png", "objects.png"}) {
        const QImage expected(QString::fromStdString(kTown + sheet));
        const QImage got(QString::fromStdString(made + sheet));
        ASSERT_FALSE(expected.isNull()) << sheet;
        EXPECT_EQ(got.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32))
            << sheet;
    }
}

}  // namespace
