#pragma once

#include "mapfile/recoverystore.h"

#include <QObject>
#include <QString>
#include <QTimer>

class CFileCommands;
class CQuelpDoc;

/** The recovery copy of the running editor: written on a timer while the map has unsaved
 *  changes, removed when the map is saved or replaced after the save question and at a clean
 *  exit (destruction). Writing never disturbs the user: failures are silent. */
class CAutoSave : public QObject {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;

    CAutoSave(CQuelpDoc& doc, CFileCommands& files, const QString& folder,
              int intervalMs = kIntervalMs, QObject* parent = nullptr);
    ~CAutoSave() override;

    /** The timer's work: writes the copy while the map is modified, else removes it. */
    void Tick();
    /** Asks about copies left by editors that died; true when one was restored. */
    bool OfferRecovery();

    CRecoveryStore& Store() { return store_; }
    QTimer& Timer() { return timer_; }

private:
    CQuelpDoc& doc_;
    CFileCommands& files_;
    CRecoveryStore store_;
    QTimer timer_;
};

/** The folder of the recovery copies in the user's data folder ("recovery" beneath the
 *  program's own data location). */
QString DefaultRecoveryFolder();
