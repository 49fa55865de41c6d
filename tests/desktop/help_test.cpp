#include "support/fakeuiport.h"

#include "app/commandids.h"
#include "app/helplocation.h"
#include "app/mainframe.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

/** Takes the URLs the frame hands to the desktop instead of starting a browser. */
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void Open(const QUrl& url) { Urls << url; }
};
}  // namespace

TEST(HelpLookup, InstalledCopyThenSourceTreeThenSystemFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString installed = dir.filePath("prefix/share/doc/quelp/manual/index.html");
    const QString source = dir.filePath("src/doc/manual/index.html");
    const QString system = dir.filePath("sys/doc/quelp/manual/index.html");
    QDir().mkpath(dir.filePath("prefix/bin"));
    const QStringList candidates = ManualCandidates(dir.filePath("prefix/bin"), dir.filePath("src/doc/manual"),
                                                    {dir.filePath("none"), dir.filePath("sys")});
    EXPECT_EQ(FindFirstFile(candidates).toStdString(), "");

    Touch(system);
    EXPECT_EQ(FindFirstFile(candidates).toStdString(), system.toStdString());
    Touch(source);
    EXPECT_EQ(FindFirstFile(candidates).toStdString(), source.toStdString());
    Touch(installed);
    EXPECT_EQ(FindFirstFile(candidates).toStdString(), installed.toStdString());  // "prefix/bin/.." cleaned away

    // A folder of that name is no start page; no source tree leaves its candidate out.
    QDir().mkpath(dir.filePath("other/doc/quelp/manual/index.html"));
    EXPECT_EQ(FindFirstFile(ManualCandidates(dir.filePath("x/bin"), QString(), {dir.filePath("other")})).toStdString(),
              "");
}

TEST(HelpLookup, TheSourceTreeOfThisBuildHoldsTheManual)
{
    // A program run from the build tree finds the manual of its sources.
    EXPECT_EQ(LocateManual().toStdString(),
              QDir::cleanPath(QStringLiteral(QUELP_SOURCE_DIR "/doc/manual/index.html")).toStdString());
}

TEST(HelpCommand, OpensTheStartPageInTheBrowser)
{
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    doc.OnNewDocument();
    CMainFrame frame(doc, store);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");

    frame.HelpFileLocator = [] { return QStringLiteral("/opt/quelp/manual/index.html"); };
    frame.ExecuteCommand(cmd::Help);
    ASSERT_EQ(catcher.Urls.size(), 1);
    EXPECT_EQ(catcher.Urls[0], QUrl::fromLocalFile(QStringLiteral("/opt/quelp/manual/index.html")));
    EXPECT_TRUE(ui.Messages.empty());

    frame.HelpFileLocator = [] { return QString(); };
    frame.ExecuteCommand(cmd::Help);
    EXPECT_EQ(catcher.Urls.size(), 1);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], Cp932("ヘルプ ファイルがありません。"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

#include "help_test.moc"
