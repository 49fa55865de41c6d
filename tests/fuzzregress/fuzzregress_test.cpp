// Every seed of the fuzzers and every input a fuzzer once failed on (fuzz/regressions/) is run
// again through the fuzz target's body. A broken rule aborts with the file name printed above.

#include "fuzzbodies.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <string>

namespace {

int ReplayFolder(const QString& folder, void (*body)(const uint8_t*, size_t))
{
    const QDir dir(folder);
    int replayed = 0;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
            continue;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "replaying %s\n", file.fileName().toLocal8Bit().constData());
        body(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
        ++replayed;
    }
    return replayed;
}

void Replay(const char* target, void (*body)(const uint8_t*, size_t))
{
    const QString fuzz = QStringLiteral(QUELP_SOURCE_DIR "/fuzz/");
    const int seeds = ReplayFolder(fuzz + "corpus/" + target, body);
    EXPECT_GT(seeds, 0) << "no seeds for " << target;
    ReplayFolder(fuzz + "regressions/" + target, body);
}

}  // namespace

TEST(FuzzRegressions, MapFile) { Replay("fuzz_mapfile", FuzzMapFileInput); }
TEST(FuzzRegressions, PatternMatcher) { Replay("fuzz_ptnmatch", FuzzPatternInput); }
TEST(FuzzRegressions, Sheet) { Replay("fuzz_sheet", FuzzSheetInput); }

#include "render/imagefile.h"

namespace {

QByteArray Regression(const char* name)
{
    QFile file(QStringLiteral(QUELP_SOURCE_DIR "/fuzz/regressions/fuzz_sheet/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

}  // namespace

// A few header bytes must not make the loader allocate what the file cannot hold.
TEST(FuzzRegressions, SheetHeadersClaimingMoreThanTheFileAreRefused)
{
    for (const char* name : {"bmp-1bit-claims-16-million-rows.bmp",
                             "gif-small-frame-on-large-screen.gif"}) {
        CImage image;
        std::string error;
        EXPECT_FALSE(DecodeImage(image, Regression(name), &error)) << name;
        EXPECT_TRUE(image.IsNull()) << name;
    }
    // A text chunk claiming a gigabyte after the image data ends the file there: the picture
    // itself is still read.
    CImage image;
    ASSERT_TRUE(DecodeImage(image, Regression("png-text-chunk-claims-a-gigabyte.png")));
    EXPECT_EQ(image.GetWidth(), 32);
    EXPECT_EQ(image.GetHeight(), 16);
}
