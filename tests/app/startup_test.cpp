#include "appfixture.h"

#include "app/application.h"
#include "app/commandids.h"
#include "app/commandtable.h"
#include "app/mapfileio.h"

#include "core/cp932.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

TEST(Startup, QtSpeaksJapanese)
{
    QTranslator translator;
    ASSERT_TRUE(InstallQtTranslation(*qApp, translator));
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_EQ(cancel, QString::fromUtf8("キャンセル"));
    QCoreApplication::removeTranslator(&translator);
}

TEST(CommandTableData, EveryCommandHasAHandler)
{
    for (const CommandSpec& command : CommandTable()) {
        SCOPED_TRACE(command.Id);
        EXPECT_TRUE(static_cast<bool>(command.Handler));
    }
}

TEST_F(FrameTest, SavesAndOpensRealMapFiles)
{
    frame->Files().Io() = DefaultMapFileIo();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("real.mpx"));
    doc.Columns = 12;
    doc.TextOption = "kept";
    Modify();
    savePath = path;
    ASSERT_TRUE(frame->ExecuteCommand(cmd::FileSaveAs));
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("real.mpx - Quelp"));

    frame->ExecuteCommand(cmd::FileNew);
    EXPECT_NE(doc.TextOption, "kept");
    ASSERT_TRUE(frame->Files().OpenDocumentFile(path));
    EXPECT_EQ(doc.TextOption, "kept");
    EXPECT_EQ(doc.Columns, 12);

    // A save that cannot be written names the file and the reason, and the old file stays.
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = before.readAll();
    before.close();
    const QString unwritable = dir.filePath(QStringLiteral("missing/folder/x.mpx"));
    savePath = unwritable;
    Modify();
    frame->ExecuteCommand(cmd::FileSaveAs);
    ASSERT_EQ(ui.Messages.size(), 1u);
    const QString message = QStringFromCp932(ui.Messages[0]);
    EXPECT_TRUE(message.contains(unwritable)) << message.toStdString();
    EXPECT_GT(message.count(QLatin1Char('\n')), 0);
    EXPECT_TRUE(doc.IsModified());
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), oldBytes);
}
