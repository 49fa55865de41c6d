#include "filecommands.h"

#include "optiondlg.h"
#include "recentfiles.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"

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
    doc_.Ui().ShowMessage(Cp932FromQString(text).Bytes);
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
        ShowMessage(QString::fromUtf8("%1 を開けません。\n%2")
                        .arg(absolute, UnmappableText(path.Unmappable)));
        return OpenResult::Failed;
    }
    if (!SaveModified())
        return OpenResult::Cancelled;

    std::string error;
    const bool loaded = io_.Load && io_.Load(doc_, path.Bytes, error);
    if (!loaded) {
        ShowMessage(QString::fromUtf8("%1 を開けませんでした。\n%2")
                        .arg(absolute, QString::fromStdString(error)));
        doc_.UpdateAllViews(nullptr, 0);
        return OpenResult::Failed;
    }
    doc_.PathName = path.Bytes;
    doc_.SetModifiedFlag(false);
    recent_.Add(absolute);
    doc_.UpdateAllViews(nullptr, 0);
    if (DocumentClean)
        DocumentClean();
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
        ShowMessage(QString::fromUtf8("%1 に保存できません。\n%2")
                        .arg(absolute, UnmappableText(path.Unmappable)));
        return false;
    }
    std::string error;
    const bool saved = io_.Save && io_.Save(doc_, path.Bytes, error);
    if (!saved) {
        ShowMessage(QString::fromUtf8("%1 に保存できませんでした。\n%2")
                        .arg(absolute, QString::fromStdString(error)));
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
