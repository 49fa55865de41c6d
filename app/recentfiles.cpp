#include "recentfiles.h"

#include "core/cp932.h"
#include "core/settingsstore.h"

#include <QFileInfo>

namespace {
constexpr const char* kSection = "Recent File List";
constexpr int kMenuTextLimit = 60;

std::string Key(int index)
{
    return "File" + std::to_string(index + 1);
}

bool SameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).absoluteFilePath();
    const QString cb = QFileInfo(b).absoluteFilePath();
    return ca == cb;
}
}  // namespace

CRecentFileList::CRecentFileList(ISettingsStore& store) : store_(store)
{
    Load();
}

void CRecentFileList::Load()
{
    paths_.clear();
    for (int i = 0; i < kSize; ++i) {
        const std::string value = store_.ReadString(kSection, Key(i), std::string());
        if (!value.empty())
            paths_.append(QString::fromStdString(LocalPathFromCp932(value)));
    }
}

void CRecentFileList::Store()
{
    // The store keeps CP932 like every string of the program; a path it cannot hold is
    // never offered here, since the document refuses such paths.
    for (int i = 0; i < kSize; ++i) {
        const QString path = i < paths_.size() ? paths_[i] : QString();
        store_.WriteString(kSection, Key(i), Cp932FromLocalPath(path.toStdString()).Bytes);
    }
}

void CRecentFileList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (int i = paths_.size() - 1; i >= 0; --i)
        if (SameFile(paths_[i], absolute))
            paths_.removeAt(i);
    paths_.prepend(absolute);
    while (paths_.size() > kSize)
        paths_.removeLast();
    Store();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= paths_.size())
        return;
    paths_.removeAt(index);
    Store();
}

QString CRecentFileList::MenuText(int index) const
{
    QString path = paths_.value(index);
    if (path.size() > kMenuTextLimit)
        path = path.left(12) + QStringLiteral("...") + path.right(kMenuTextLimit - 15);
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(path);
}
