#include "autosave.h"

#include "filecommands.h"

#include "core/quelpdoc.h"
#include "mapfile/recoveryoffer.h"

#include <QStandardPaths>

CAutoSave::CAutoSave(CQuelpDoc& doc, CFileCommands& files, const QString& folder, int intervalMs,
                     QObject* parent)
    : QObject(parent), doc_(doc), files_(files), store_(folder)
{
    files_.DocumentClean = [this] { store_.RemoveCopy(); };
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &CAutoSave::Tick);
    timer_.start();
}

CAutoSave::~CAutoSave()
{
    files_.DocumentClean = nullptr;
    store_.RemoveCopy();
}

void CAutoSave::Tick()
{
    if (doc_.IsModified())
        store_.WriteCopy(doc_);
    else if (store_.HasCopy())
        store_.RemoveCopy();
}

bool CAutoSave::OfferRecovery()
{
    return ::OfferRecovery(doc_, store_);
}

QString DefaultRecoveryFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}
