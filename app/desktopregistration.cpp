#include "desktopregistration.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char* const kMimeType = "application/x-quelp-map";
const char* const kDesktopFile = "quelp.desktop";

QByteArray Resource(const QString& name)
{
    QFile file(QStringLiteral(":/desktop/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/** Writes the file only when its content differs; true when it wrote. */
bool WriteIfChanged(const QString& path, const QByteArray& content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

QByteArray QuoteExec(const QString& executable)
{
    // Plain paths stay bare: some launchers (xdg-open's generic mode among them) cannot run a
    // quoted program. Others go inside double quotes with \ " ` $ escaped.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::none_of(executable.begin(), executable.end(),
                     [](QChar c) { return reserved.contains(c); }))
        return executable.toUtf8();
    QString quoted = executable;
    for (const char* special : {"\\", "\"", "`", "$"})
        quoted.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
    return ('"' + quoted + '"').toUtf8();
}

/** mimeapps.list with our default set, keeping every other line of the user's file. */
QByteArray WithDefaultApplication(const QByteArray& current)
{
    const QByteArray entry = QByteArray(kMimeType) + '=' + kDesktopFile;
    QList<QByteArray> lines = current.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    int section = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line == "[Default Applications]") {
            section = i;
        } else if (section >= 0 && line.startsWith('[')) {
            break;
        } else if (section >= 0 && line.startsWith(QByteArray(kMimeType) + '=')) {
            lines[i] = entry;
            return lines.join('\n') + '\n';
        }
    }
    if (section < 0) {
        if (!lines.isEmpty())
            lines.append(QByteArray());
        lines.append("[Default Applications]");
        section = static_cast<int>(lines.size()) - 1;
    }
    lines.insert(section + 1, entry);
    return lines.join('\n') + '\n';
}

bool InstalledSystemWide(const DesktopPaths& paths)
{
    for (const QString& dir : paths.SystemDataDirs) {
        if (dir.isEmpty() || QDir(dir) == QDir(paths.DataHome))
            continue;
        if (QFileInfo(dir + QStringLiteral("/applications/") + kDesktopFile).isFile()
            && QFileInfo(dir + QStringLiteral("/mime/packages/quelp-mpx.xml")).isFile())
            return true;
    }
    return false;
}

void RefreshMimeCache(const QString& mimeDir)
{
    // The MIME cache is what file managers read; without the tool the package file still
    // takes effect at the next cache rebuild.
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!tool.isEmpty())
        QProcess::execute(tool, {mimeDir});
}

/** Removes what an earlier per-user registration wrote; the user's mimeapps.list stays, its entry
 *  names the installed entry just as well. True when a file went away. */
bool RemoveUserRegistration(const DesktopPaths& paths)
{
    const QString mimeDir = paths.DataHome + QStringLiteral("/mime");
    const bool mimeRemoved = QFile::remove(mimeDir + QStringLiteral("/packages/quelp-mpx.xml"));
    bool removed = mimeRemoved;
    removed |= QFile::remove(paths.DataHome + QStringLiteral("/applications/") + kDesktopFile);
    removed |= QFile::remove(paths.DataHome + QStringLiteral("/icons/hicolor/scalable/apps/quelp.svg"));
    if (mimeRemoved)
        RefreshMimeCache(mimeDir);
    return removed;
}

}  // namespace

DesktopPaths DesktopPaths::FromEnvironment()
{
    DesktopPaths paths;
    paths.DataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    paths.ConfigHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // The first entry is the user's own folder; the rest are the system's.
    paths.SystemDataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    paths.SystemDataDirs.removeAll(paths.DataHome);
    return paths;
}

bool RegisterDesktopIntegration(const DesktopPaths& paths, const QString& executable)
{
    if (paths.DataHome.isEmpty() || paths.ConfigHome.isEmpty())
        return false;
    if (InstalledSystemWide(paths))
        return RemoveUserRegistration(paths);
    QByteArray desktop = Resource(QStringLiteral("quelp.desktop.in"));
    desktop.replace("@QUELP_EXEC@", QuoteExec(executable));

    const QString mimeDir = paths.DataHome + QStringLiteral("/mime");
    const bool mimeChanged =
        WriteIfChanged(mimeDir + QStringLiteral("/packages/quelp-mpx.xml"), Resource("quelp-mpx.xml"));
    bool changed = mimeChanged;
    changed |= WriteIfChanged(paths.DataHome + QStringLiteral("/applications/") + kDesktopFile, desktop);
    changed |= WriteIfChanged(paths.DataHome + QStringLiteral("/icons/hicolor/scalable/apps/quelp.svg"),
                              Resource("quelp.svg"));

    const QString mimeApps = paths.ConfigHome + QStringLiteral("/mimeapps.list");
    QFile current(mimeApps);
    const QByteArray before = current.open(QIODevice::ReadOnly) ? current.readAll() : QByteArray();
    current.close();
    changed |= WriteIfChanged(mimeApps, WithDefaultApplication(before));

    if (mimeChanged)
        RefreshMimeCache(mimeDir);
    return changed;
}
