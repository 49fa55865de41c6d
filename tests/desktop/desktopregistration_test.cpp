#include "app/desktopregistration.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

TEST(DesktopRegistration, WritesOnceAndKeepsTheUsersOtherDefaults)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const DesktopPaths paths{dir.filePath("data"), dir.filePath("config")};
    QDir().mkpath(paths.ConfigHome);
    {
        QFile list(paths.ConfigHome + "/mimeapps.list");
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("[Default Applications]\ntext/plain=editor.desktop\n[Added Associations]\nx/y=z.desktop\n");
    }

    EXPECT_TRUE(RegisterDesktopIntegration(paths, "/opt/my tools/quelp"));
    const QByteArray desktop = ReadAll(paths.DataHome + "/applications/quelp.desktop");
    EXPECT_TRUE(desktop.contains("Exec=\"/opt/my tools/quelp\" %f")) << desktop.constData();
    EXPECT_TRUE(desktop.contains("MimeType=application/x-quelp-map;"));
    EXPECT_TRUE(ReadAll(paths.DataHome + "/mime/packages/quelp-mpx.xml").contains("Quelp.Document"));
    EXPECT_FALSE(ReadAll(paths.DataHome + "/icons/hicolor/scalable/apps/quelp.svg").isEmpty());

    const QByteArray list = ReadAll(paths.ConfigHome + "/mimeapps.list");
    EXPECT_TRUE(list.contains("text/plain=editor.desktop"));
    EXPECT_TRUE(list.contains("[Added Associations]\nx/y=z.desktop"));
    EXPECT_TRUE(list.contains("[Default Applications]\napplication/x-quelp-map=quelp.desktop\n"));

    // Nothing changed since: nothing is written again.
    EXPECT_FALSE(RegisterDesktopIntegration(paths, "/opt/my tools/quelp"));
    // A moved program is registered anew.
    EXPECT_TRUE(RegisterDesktopIntegration(paths, "/usr/bin/quelp"));
    EXPECT_TRUE(ReadAll(paths.DataHome + "/applications/quelp.desktop")
                    .contains("Exec=/usr/bin/quelp %f"));
    EXPECT_EQ(ReadAll(paths.ConfigHome + "/mimeapps.list").count("application/x-quelp-map="), 1);
}
