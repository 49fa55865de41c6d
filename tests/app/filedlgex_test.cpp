#include "app/filedlgex.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kPictures = QString::fromUtf8(
    "PNGファイル (*.png)|*.png|Gifファイル (*.gif)|*.gif|Bitmapファイル (*.bmp)|*.bmp|"
    "JPEGファイル (*.jpg)|*.jpg||");
}

TEST(FileDlgEx, ParsesTheFilterPairs)
{
    const std::vector<FileFilterEntry> entries = ParseFileFilter(kPictures);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[3].Description, QString::fromUtf8("JPEGファイル (*.jpg)"));
    EXPECT_EQ(entries[3].Pattern, QStringLiteral("*.jpg"));
}

TEST(FileDlgEx, DefaultExtensionFollowsTheSelectedType)
{
    CFileDlgEx dialog(false, QString(), QString(), kPictures);
    EXPECT_EQ(dialog.DefaultExt(), QStringLiteral("png"));
    dialog.SelectType(3);
    EXPECT_EQ(dialog.DefaultExt(), QStringLiteral("jpg"));

    CFileDlgEx binary(false, QString(), QString(),
                      QString::fromUtf8("バイナリファイル (*.)|*.|すべてのファイル (*.*)|*.*||"));
    EXPECT_EQ(binary.DefaultExt(), QString());
    binary.SelectType(1);
    EXPECT_EQ(binary.DefaultExt(), QString());
}

TEST(FileDlgEx, ABareNameTypedWithTheJpegEntrySavesAsJpg)
{
    QTemporaryDir dir;
    CFileDlgEx dialog(false, QString(), QString(), kPictures);
    dialog.setDirectory(dir.path());
    dialog.SelectType(3);
    dialog.selectFile(QStringLiteral("town"));
    QMetaObject::invokeMethod(&dialog, "accept");
    EXPECT_EQ(dialog.PathName(), QDir(dir.path()).filePath(QStringLiteral("town.jpg")));
}
