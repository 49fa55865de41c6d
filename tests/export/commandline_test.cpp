// The headless command line, run as the real program with no display and a private settings
// store.
#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "export/binarymap.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilewriter.h"
#include "support/fakeuiport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Result {
    int Status = -1;
    QString Out;
    QString Err;
};

class CommandLine : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString Config;

    void SetUp() override
    {
        Config = Dir.path() + "/config";
        QDir().mkpath(Config + "/ZR-N");
        ChipWidth = 16;
        ChipHeight = 16;
    }

    std::string Path(const char* name) const { return (Dir.path() + "/" + name).toStdString(); }

    Result Run(const QStringList& args, const QString& platform = {}) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.insert("XDG_CONFIG_HOME", Config);
        env.insert("HOME", Dir.path());
        if (!platform.isEmpty())
            env.insert("QT_QPA_PLATFORM", platform);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUELP_BINARY), args);
        process.waitForFinished(120000);
        Result r;
        r.Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.Out = QString::fromUtf8(process.readAllStandardOutput());
        r.Err = QString::fromUtf8(process.readAllStandardError());
        return r;
    }

    void WriteSettings(const char* text) const
    {
        QFile file(Config + "/ZR-N/Quelp.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // A small map saved with a sheet beside it, or naming the given sheets instead.
    std::string MakeMap(const char* name, const std::vector<std::string>& sheets = {"sheet.png"})
    {
        MemorySettingsStore store;
        FakeUiPort ui;
        CQuelpDoc doc(store, ui);
        doc.OnNewDocument();
        doc.Columns = 4;
        doc.Rows = 3;
        QImage sheet(64, 32, QImage::Format_RGB888);
        sheet.fill(Qt::red);
        sheet.save(Dir.path() + "/sheet.png");
        doc.ChipPages[0].FilePath = Path("sheet.png");
        doc.Layers[0].Cells = CellGrid(12, -1);
        (*doc.Layers[0].Cells)[5] = 3;
        doc.Layers[1].Cells = CellGrid(12, 1);
        doc.Layers[1].View = 0;
        CEventData event;
        event.Type = 2;
        event.Map = Path("next.mpx");
        doc.Events.Append(event);
        std::string bytes;
        WriteMapFile(doc, bytes, "");
        // Keep the store's defaults in force for the save switches: drop those lines.
        for (const char* key : {"\tSaveEvent = 1\r\n", "\tSaveText = 0\r\n"}) {
            const std::size_t at = bytes.find(key);
            if (at != std::string::npos)
                bytes.erase(at, std::strlen(key));
        }
        // And name the sheets so that they load.
        std::string chips;
        for (std::size_t page = 0; page < sheets.size(); ++page)
            chips += "<chip page=" + std::to_string(page * 2) + ">\r\n\tFilePath = [MapFolder]" +
                     sheets[page] + "\r\n</chip>\r\n";
        bytes.insert(bytes.find("<map page=0>"), chips);
        QFile file(QString::fromStdString(Path(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return Path(name);
    }

    std::string ReadBytes(const std::string& path) const
    {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
};

TEST_F(CommandLine, HelpVersionAndWrongArguments)
{
    Result help = Run({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.contains("--export-binary"));
    Result version = Run({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_TRUE(version.Out.startsWith("quelp "));
    for (const QStringList& args :
         {QStringList{"--export-binary", "a.mpx"}, QStringList{"--frobnicate"},
          QStringList{"--resave", "a", "b", "--layer", "2"},
          QStringList{"--export-image", "a", "b.png", "--layer", "8"},
          QStringList{"--resave", "--export-binary", "a", "b"}}) {
        Result r = Run(args);
        EXPECT_EQ(r.Status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.Err.count('\n'), 1) << r.Err.toStdString();
    }
}

TEST_F(CommandLine, ExportBinaryUsesTheSettingsStore)
{
    const std::string map = MakeMap("town.mpx");
    const std::string out = Path("town.mpb");
    Result r = Run({QString::fromStdString(map), "--export-binary", QString::fromStdString(out)});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();

    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc(store, ui);
    std::string error;
    ASSERT_TRUE(LoadMapFile(doc, map, error));
    EXPECT_EQ(ReadBytes(out), BuildBinaryMap(doc));
    EXPECT_TRUE(doc.SaveEvent);

    // The user's defaults apply as in the editor: no events block, a texts block.
    WriteSettings("[DEFAULT]\nSaveEvent=0\nSaveText=1\n");
    ASSERT_EQ(Run({"--export-binary", QString::fromStdString(map), QString::fromStdString(out)})
                  .Status,
              0);
    store.WriteInt("DEFAULT", "SaveEvent", 0);
    store.WriteInt("DEFAULT", "SaveText", 1);
    ASSERT_TRUE(LoadMapFile(doc, map, error));
    EXPECT_EQ(ReadBytes(out), BuildBinaryMap(doc));
    EXPECT_FALSE(doc.SaveEvent);
}

TEST_F(CommandLine, ResaveWritesWhatTheEditorWrites)
{
    const std::string map = MakeMap("town.mpx");
    QDir(Dir.path()).mkdir("copy");
    const std::string out = Path("copy/town.mpx");
    Result r = Run({"--resave", QString::fromStdString(map), QString::fromStdString(out)});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc(store, ui);
    std::string error;
    ASSERT_TRUE(LoadMapFile(doc, map, error));
    std::string expected;
    WriteMapFile(doc, expected, MapFolderOf(out));
    EXPECT_EQ(ReadBytes(out), expected);
    // The sheet stayed behind: its path is written whole.
    EXPECT_NE(expected.find("FilePath = " + Path("sheet.png")), std::string::npos);
}

TEST_F(CommandLine, ExportImageWholeMapAndOneLayer)
{
    const std::string map = MakeMap("town.mpx");
    const QString png = Dir.path() + "/town.png";
    ASSERT_EQ(Run({"--export-image", QString::fromStdString(map), png}).Status, 0);
    QImage whole(png);
    ASSERT_EQ(whole.size(), QSize(64, 48));
    EXPECT_EQ(whole.pixel(16 + 8, 16 + 8), qRgb(255, 0, 0));  // chip 3 on cell 5
    EXPECT_EQ(whole.pixel(2, 2), qRgb(0, 0, 0));               // empty, and layer 1 is hidden

    const QString bmp = Dir.path() + "/layer1.bmp";
    Result r = Run({"--export-image", QString::fromStdString(map), bmp, "--layer", "1"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    QImage layer(bmp);
    ASSERT_EQ(layer.size(), QSize(64, 48));
    EXPECT_EQ(layer.pixel(2, 2), qRgb(255, 0, 0));  // hidden, yet drawn on its own

    Result txt = Run({"--export-image", QString::fromStdString(map), Dir.path() + "/x.txt"});
    EXPECT_EQ(txt.Status, 1);
    EXPECT_FALSE(QFile::exists(Dir.path() + "/x.txt"));
}

TEST_F(CommandLine, UnreadSheetsWarnAndTheMapKeepsThem)
{
    const std::string map = MakeMap("town.mpx", {"gone.png", "sheet.png", "lost.png"});
    const QString m = QString::fromStdString(map);
    const QStringList cases[] = {
        {"--resave", m, Dir.path() + "/again.mpx"},
        {"--export-binary", m, Dir.path() + "/town.mpb"},
        {"--export-image", m, Dir.path() + "/town.png"},
    };
    for (const QStringList& args : cases) {
        Result r = Run(args);
        EXPECT_EQ(r.Status, 0) << args.join(' ').toStdString();
        const QStringList lines = r.Err.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.Err.toStdString();
        EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8(
            "quelp: 警告: マップチップ画像を読み込めませんでした: ") + Dir.path() + "/gone.png: "))
            << r.Err.toStdString();
        EXPECT_TRUE(lines[1].contains(Dir.path() + "/lost.png: ")) << r.Err.toStdString();
    }
    const std::string again = ReadBytes(Path("again.mpx"));
    for (const char* sheet : {"gone.png", "lost.png"})
        EXPECT_NE(again.find(std::string("FilePath = [MapFolder]") + sheet), std::string::npos)
            << sheet;
}

// Neither a map nor a binary starts a display platform or the font system: a platform that
// does not exist is never asked for.
TEST_F(CommandLine, ResaveAndBinaryStartNoPlatform)
{
    const QString m = QString::fromStdString(MakeMap("town.mpx"));
    for (const char* action : {"--resave", "--export-binary"}) {
        Result r = Run({action, m, Dir.path() + "/out"}, "no-such-platform");
        EXPECT_EQ(r.Status, 0) << action << ": " << r.Err.toStdString();
        EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
    }
}

TEST_F(CommandLine, FailuresSayOneLineAndExitOne)
{
    const std::string map = MakeMap("town.mpx");
    QFile garbage(Dir.path() + "/garbage.mpx");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x89PNG\r\n\x1a\nnot a map at all");
    garbage.close();
    const QString m = QString::fromStdString(map);
    const QStringList cases[] = {
        {"--export-binary", Dir.path() + "/missing.mpx", Dir.path() + "/o.mpb"},
        {"--export-binary", Dir.path() + "/garbage.mpx", Dir.path() + "/o.mpb"},
        {"--export-binary", Dir.path(), Dir.path() + "/o.mpb"},
        {"--export-binary", m, Dir.path() + "/no/such/folder/o.mpb"},
        {"--resave", m, Dir.path()},
        {"--export-image", m, Dir.path() + "/no/such/o.png"},
    };
    for (const QStringList& args : cases) {
        Result r = Run(args);
        EXPECT_EQ(r.Status, 1) << args.join(' ').toStdString();
        EXPECT_EQ(r.Err.count('\n'), 1) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.startsWith("quelp: ")) << r.Err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Dir.path() + "/o.mpb"));
}

}  // namespace
