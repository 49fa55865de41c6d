// The loader's fuzz seeds and every input the fuzzer once failed on, through the fuzz body.
#include "fuzz_loader.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(LoaderFuzzInputs, SeedsAndKeptInputsPass)
{
    int replayed = 0;
    for (const char* folder : {"/fuzz/corpus/fuzz_loader", "/fuzz/regressions/fuzz_loader"}) {
        const QDir dir(QString(QUELP_SOURCE_DIR) + folder);
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = file.readAll();
            SCOPED_TRACE(name.toStdString());
            FuzzLoaderInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                            static_cast<size_t>(bytes.size()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);  // the seeds are where the test expects them
}

}  // namespace
