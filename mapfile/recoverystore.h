#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class CQuelpDoc;
class QLockFile;

/** A recovery copy left by an editor that is gone, claimed by this editor: while the claim lives
 *  no other editor offers it. Dropping the claim without Discard or Adopt leaves the copy for
 *  the next start. */
struct CStaleCopy {
    CStaleCopy();
    CStaleCopy(CStaleCopy&&) noexcept;
    CStaleCopy& operator=(CStaleCopy&&) noexcept;
    ~CStaleCopy();

    QString Id;                   ///< the slot's name in the folder
    std::string OriginalPath;     ///< CP932 path of the map it was written for; empty if untitled
    std::string Bytes;            ///< the copy: map file text
    QDateTime Written;            ///< when the copy was last written
    std::unique_ptr<QLockFile> Lock;
};

/** The recovery copies of running editors. Each editor owns one slot in the folder: a lock file
 *  held while it runs (`<slot>.lock`), the copy in the map file format (`<slot>.mpx`) and a side
 *  file holding the map's original path, CP932 bytes (`<slot>.path`). A slot whose lock is not
 *  held by a live process belongs to an editor that died. */
class CRecoveryStore {
public:
    /** Creates the folder (private to the user) and takes a slot of its own. Without a folder
     *  or a lock the store stays inactive and writes nothing. */
    explicit CRecoveryStore(QString folder);
    ~CRecoveryStore();
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    bool Active() const;
    const QString& Folder() const { return folder_; }
    const QString& SlotId() const { return slot_; }
    /** File of this editor's slot with the extension ("mpx", "path", "lock"). */
    QString SlotFile(const QString& slot, const char* extension) const;

    /** Writes the document's copy and its original path, each atomically; the document and its
     *  editing state are not touched. Chip sheet paths and event destinations are written
     *  against the map's own folder, as its file would have them. False on any failure (an
     *  earlier copy is then left whole). */
    bool WriteCopy(const CQuelpDoc& doc);
    /** Removes this editor's copy; the slot stays taken. */
    void RemoveCopy();
    bool HasCopy() const;

    /** Claims every copy whose editor is gone, newest first. Copies that a running editor holds
     *  are left alone; leftovers of dead slots without a copy are cleared away. */
    std::vector<CStaleCopy> ClaimStaleCopies();
    /** Removes a claimed copy for good. */
    void Discard(CStaleCopy& copy);
    /** Makes a claimed copy this editor's own, so that it survives another crash until the next
     *  write. False when it could not be moved (the claim is then dropped, the copy kept). */
    bool Adopt(CStaleCopy& copy);

private:
    /** Removes a claimed slot's files but its lock (temporary files of a cut write too). */
    void RemoveSlotFiles(const QString& slot);

    QString folder_;
    QString slot_;
    std::unique_ptr<QLockFile> lock_;
};
