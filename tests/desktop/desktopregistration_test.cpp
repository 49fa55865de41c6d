#include "app/desktopregistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}
}  // namespace

TEST(DesktopRegistration, WritesOnceAndKeepsTheUsersOtherDefaults)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const DesktopPaths paths{dir.filePath("data"), dir.filePath("config"), {dir.filePath("system")}};
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

TEST(DesktopRegistration, LeavesTheTypeToAnInstalledPackage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString system = dir.filePath("system");
    DesktopPaths paths{dir.filePath("data"), dir.filePath("config"), {dir.filePath("empty"), system}};
    // An earlier run from a build tree registered the type for the user.
    ASSERT_TRUE(RegisterDesktopIntegration(paths, "/home/me/quelp/build/app/quelp"));
    const QString userEntry = paths.DataHome + "/applications/quelp.desktop";
    ASSERT_TRUE(QFileInfo::exists(userEntry));

    // The entry alone, without the MIME package, is no registration of the type.
    Touch(system + "/applications/quelp.desktop");
    EXPECT_FALSE(RegisterDesktopIntegration(paths, "/home/me/quelp/build/app/quelp"));
    EXPECT_TRUE(QFileInfo::exists(userEntry));

    // With both installed, the user's copies go so as not to shadow the installed entry.
    Touch(system + "/mime/packages/quelp-mpx.xml");
    EXPECT_TRUE(RegisterDesktopIntegration(paths, "/usr/bin/quelp"));
    EXPECT_FALSE(QFileInfo::exists(userEntry));
    EXPECT_FALSE(QFileInfo::exists(paths.DataHome + "/mime/packages/quelp-mpx.xml"));
    EXPECT_FALSE(QFileInfo::exists(paths.DataHome + "/icons/hicolor/scalable/apps/quelp.svg"));
    EXPECT_TRUE(ReadAll(paths.ConfigHome + "/mimeapps.list").contains("application/x-quelp-map=quelp.desktop"));
    // And from then on nothing is written, wherever the program runs from.
    EXPECT_FALSE(RegisterDesktopIntegration(paths, "/home/me/quelp/build/app/quelp"));
    EXPECT_FALSE(QFileInfo::exists(userEntry));

    // A user folder listed among the system folders does not count as an installation.
    paths.SystemDataDirs = {paths.DataHome};
    EXPECT_TRUE(RegisterDesktopIntegration(paths, "/home/me/quelp/build/app/quelp"));
}
