#include "filecommands.h"

#include "recentfiles.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "views/checkeddialog.h"

#include <QFileInfo>

namespace {
QString LocalPath(const std::string& cp932Path)
{
    return QString::fromStdString(LocalPathFromCp932(cp932Path));
}

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    const QString ca = fa.exists() ? fa.canonicalFilePath() : fa.absoluteFilePath();
    const QString cb = fb.exists() ? fb.canonicalFilePath() : fb.absoluteFilePath();
    return ca == cb;
}
}  // namespace

CFileCommands::CFileCommands(CQuelpDoc& doc, CRecentFileList& recent, FileCommandHooks hooks,
                             MapFileIo io)
    : doc_(doc), recent_(recent), hooks_(std::move(hooks)), io_(std::move(io))
{
}

QString CFileCommands::SaveQuestion() const
{
    return QString::fromUtf8("%1 への変更を保存しますか?").arg(QStringFromCp932(doc_.GetTitle()));
}

void CFileCommands::ShowMessage(const QString& text)
{
    doc_.Ui().ShowMessageText(text, MessageKind::Warning);
}

void CFileCommands::TellUnreadSheets(const std::vector<UnreadSheet>& sheets)
{
    if (sheets.empty())
        return;
    QString text = QString::fromUtf8("次のマップチップ画像を読み込めませんでした。");
    for (const UnreadSheet& sheet : sheets)
        text += QLatin1Char('\n') + LocalPath(sheet.PathCp932) + QStringLiteral(": ") +
                QString::fromStdString(sheet.Reason);
    ShowMessage(text);
}

bool CFileCommands::SaveModified()
{
    if (!doc_.IsModified())
        return true;
    const SaveAnswer answer = hooks_.AskSave ? hooks_.AskSave(SaveQuestion()) : SaveAnswer::Cancel;
    switch (answer) {
    case SaveAnswer::Cancel: return false;
    case SaveAnswer::No: return true;
    case SaveAnswer::Yes: return OnFileSave();
    }
    return false;
}

bool CFileCommands::OnFileNew()
{
    if (!SaveModified())
        return false;
    doc_.OnNewDocument();
    doc_.UpdateAllViews(nullptr, 0);
    if (DocumentClean)
        DocumentClean();
    return true;
}

bool CFileCommands::OnFileOpen()
{
    const QString path = hooks_.ChooseOpenPath ? hooks_.ChooseOpenPath() : QString();
    if (path.isEmpty())
        return false;
    return OpenDocumentFile(path);
}

bool CFileCommands::OpenDocumentFile(const QString& localPath)
{
    return Open(localPath) == OpenResult::Opened;
}

CFileCommands::OpenResult CFileCommands::Open(const QString& localPath)
{
    const QString absolute = QFileInfo(localPath).absoluteFilePath();
    if (!doc_.PathName.empty() && SameFile(LocalPath(doc_.PathName), absolute)) {
        if (hooks_.Activate)
            hooks_.Activate();
        return OpenResult::Opened;
    }
    const Cp932Result path = Cp932FromLocalPath(absolute.toStdString());
    if (!path.Ok()) {
        ShowMessage(QString::fromUtf8("次のファイルを開けませんでした。\n%1: %2")
                        .arg(absolute, UnmappableMessage(path.Unmappable)));
        return OpenResult::Failed;
    }
    if (!SaveModified())
        return OpenResult::Cancelled;

    std::string error;
    MapLoadReport report;
    bool loaded = false;
    {
        CBusyScope busy(doc_.Ui());
        loaded = io_.Load && io_.Load(doc_, path.Bytes, error, report);
    }
    // A failed read left the map as it was: nothing to redraw, no new name, no recent entry.
    if (!loaded) {
        if (report.NotAMap)
            ShowMessage(QString::fromUtf8("%1 はマップファイルではありません。")
                            .arg(QFileInfo(absolute).fileName()));
        else
            ShowMessage(QString::fromUtf8("次のファイルを開けませんでした。\n") +
                        QString::fromStdString(error));
        return OpenResult::Failed;
    }
    doc_.PathName = path.Bytes;
    doc_.SetModifiedFlag(false);
    recent_.Add(absolute);
    doc_.UpdateAllViews(nullptr, 0);
    if (DocumentClean)
        DocumentClean();
    TellUnreadSheets(report.UnreadSheets);
    return OpenResult::Opened;
}

bool CFileCommands::OnFileSave()
{
    if (doc_.PathName.empty())
        return OnFileSaveAs();
    return DoSave(LocalPath(doc_.PathName));
}

bool CFileCommands::OnFileSaveAs()
{
    // A map never saved offers its title with the map extension, as the framework does.
    QString initial = doc_.PathName.empty()
                          ? QStringFromCp932(doc_.GetTitle()) + QStringLiteral(".mpx")
                          : LocalPath(doc_.PathName);
    const QString path = hooks_.ChooseSavePath ? hooks_.ChooseSavePath(initial) : QString();
    if (path.isEmpty())
        return false;
    return DoSave(path);
}

bool CFileCommands::DoSave(const QString& localPath)
{
    const QString absolute = QFileInfo(localPath).absoluteFilePath();
    const Cp932Result path = Cp932FromLocalPath(absolute.toStdString());
    if (!path.Ok()) {
        ShowMessage(QString::fromUtf8("次のファイルに保存できませんでした。\n%1: %2")
                        .arg(absolute, UnmappableMessage(path.Unmappable)));
        return false;
    }
    std::string error;
    bool saved = false;
    {
        CBusyScope busy(doc_.Ui());
        saved = io_.Save && io_.Save(doc_, path.Bytes, error);
    }
    if (!saved) {
        ShowMessage(QString::fromUtf8("次のファイルに保存できませんでした。\n") +
                    QString::fromStdString(error));
        return false;
    }
    doc_.PathName = path.Bytes;
    doc_.SetModifiedFlag(false);
    recent_.Add(absolute);
    if (DocumentClean)
        DocumentClean();
    return true;
}

bool CFileCommands::OnOpenRecentFile(int index)
{
    const QString path = recent_.Paths().value(index);
    if (path.isEmpty())
        return false;
    // An entry that cannot be read leaves the list; a cancelled save question keeps it.
    const OpenResult result = Open(path);
    if (result == OpenResult::Failed)
        recent_.Remove(index);
    return result == OpenResult::Opened;
}
