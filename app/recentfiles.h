#pragma once

#include <QString>
#include <QStringList>

class ISettingsStore;

/** The recent-file list of four entries, newest first, kept in the settings store under
 *  "Recent File List" as "File1".."File4". Paths are the file system's (local) paths. */
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    explicit CRecentFileList(ISettingsStore& store);

    const QStringList& Paths() const { return paths_; }
    /** Puts the path at the top; an entry for the same file moves up instead of repeating. */
    void Add(const QString& path);
    void Remove(int index);
    /** Menu text of an entry: "&1 " and the path, shortened in the middle when long. */
    QString MenuText(int index) const;

private:
    void Load();
    void Store();

    ISettingsStore& store_;
    QStringList paths_;
};
