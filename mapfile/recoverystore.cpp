#include "recoverystore.h"

#include "core/quelpdoc.h"
#include "mapfile/atomicfile.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilewriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <algorithm>
#include <set>

namespace {
constexpr const char* kSlotPrefix = "slot-";

std::string LocalName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

std::unique_ptr<QLockFile> MakeLock(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A running editor holds its slot for hours: only a dead owner makes a lock stale.
    lock->setStaleLockTime(0);
    return lock;
}

// Qt takes a lock whose owner's PID is gone. An owner's PID can be taken again by a later editor
// (containers start their PIDs over), so on this host the file lock held by a live owner decides.
bool TakeOverDeadLock(QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString app;
    if (lock.getLockInfo(&pid, &host, &app) && !host.isEmpty() &&
        host != QSysInfo::machineHostName())
        return false;
    return lock.removeStaleLockFile() && lock.tryLock(0);
}
}  // namespace

CStaleCopy::CStaleCopy() = default;
CStaleCopy::CStaleCopy(CStaleCopy&&) noexcept = default;
CStaleCopy& CStaleCopy::operator=(CStaleCopy&&) noexcept = default;
CStaleCopy::~CStaleCopy() = default;

CRecoveryStore::CRecoveryStore(QString folder) : folder_(std::move(folder))
{
    if (folder_.isEmpty() || !QDir().mkpath(folder_))
        return;
    // The copies hold the user's maps: nobody else reads them.
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const qint64 pid = QCoreApplication::applicationPid();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString id = QString::fromLatin1(kSlotPrefix) + QString::number(pid) +
                           QLatin1Char('-') + QString::number(now + attempt, 36);
        if (QFileInfo::exists(SlotFile(id, "mpx")))
            continue;  // a copy left under the same name is not ours to overwrite
        std::unique_ptr<QLockFile> lock = MakeLock(SlotFile(id, "lock"));
        if (lock->tryLock(0)) {
            slot_ = id;
            lock_ = std::move(lock);
            return;
        }
    }
}

CRecoveryStore::~CRecoveryStore() = default;

bool CRecoveryStore::Active() const
{
    return lock_ && lock_->isLocked();
}

QString CRecoveryStore::SlotFile(const QString& slot, const char* extension) const
{
    return folder_ + QLatin1Char('/') + slot + QLatin1Char('.') + QLatin1String(extension);
}

bool CRecoveryStore::WriteCopy(const CQuelpDoc& doc)
{
    if (!Active())
        return false;
    std::string bytes;
    WriteMapFileText(doc, bytes, MapFolderOf(doc.PathName));
    std::string error;
    // The path first: a copy never stands beside the path of another map.
    if (!WriteFileAtomically(LocalName(SlotFile(slot_, "path")), doc.PathName, error))
        return false;
    return WriteFileAtomically(LocalName(SlotFile(slot_, "mpx")), bytes, error);
}

void CRecoveryStore::RemoveCopy()
{
    if (!Active())
        return;
    QFile::remove(SlotFile(slot_, "mpx"));
    QFile::remove(SlotFile(slot_, "path"));
}

bool CRecoveryStore::HasCopy() const
{
    return Active() && QFileInfo::exists(SlotFile(slot_, "mpx"));
}

std::vector<CStaleCopy> CRecoveryStore::ClaimStaleCopies()
{
    std::vector<CStaleCopy> copies;
    if (folder_.isEmpty())
        return copies;
    const QStringList names =
        QDir(folder_).entryList({QString::fromLatin1(kSlotPrefix) + QLatin1Char('*')},
                                QDir::Files | QDir::Hidden);
    std::set<QString> slotIds;
    for (const QString& name : names)
        slotIds.insert(name.section(QLatin1Char('.'), 0, 0));
    slotIds.erase(slot_);

    for (const QString& slot : slotIds) {
        const QString copyFile = SlotFile(slot, "mpx");
        const bool hasCopy = QFileInfo::exists(copyFile);
        std::unique_ptr<QLockFile> lock = MakeLock(SlotFile(slot, "lock"));
        // Only a slot with a copy is taken over by the file lock: its owner wrote the lock's
        // contents long before its first copy.
        if (!lock->tryLock(0) && !(hasCopy && TakeOverDeadLock(*lock)))
            continue;
        if (!hasCopy) {
            RemoveSlotFiles(slot);
            continue;
        }
        CStaleCopy copy;
        std::string error;
        if (!ReadWholeFile(LocalName(copyFile), copy.Bytes, error))
            continue;
        ReadWholeFile(LocalName(SlotFile(slot, "path")), copy.OriginalPath, error);
        copy.Id = slot;
        copy.Written = QFileInfo(copyFile).lastModified();
        copy.Lock = std::move(lock);
        copies.push_back(std::move(copy));
    }
    std::stable_sort(copies.begin(), copies.end(), [](const CStaleCopy& a, const CStaleCopy& b) {
        return a.Written > b.Written;
    });
    return copies;
}

void CRecoveryStore::Discard(CStaleCopy& copy)
{
    if (!copy.Lock || !copy.Lock->isLocked())
        return;
    RemoveSlotFiles(copy.Id);
    copy.Lock.reset();
}

bool CRecoveryStore::Adopt(CStaleCopy& copy)
{
    if (!Active() || !copy.Lock || !copy.Lock->isLocked())
        return false;
    std::string error;
    const QString ownCopy = SlotFile(slot_, "mpx");
    QFile::remove(ownCopy);
    const bool moved =
        WriteFileAtomically(LocalName(SlotFile(slot_, "path")), copy.OriginalPath, error) &&
        QFile::rename(SlotFile(copy.Id, "mpx"), ownCopy);
    if (moved)
        RemoveSlotFiles(copy.Id);
    copy.Lock.reset();
    return moved;
}

void CRecoveryStore::RemoveSlotFiles(const QString& slot)
{
    const QDir dir(folder_);
    const QString lockName = slot + QStringLiteral(".lock");
    const QStringList names =
        dir.entryList({slot + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (name == lockName)
            continue;  // the claim's own lock goes last, when it is released
        QFile::remove(dir.filePath(name));
    }
}
