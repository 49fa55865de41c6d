#pragma once

#include <QString>
#include <QStringList>

/** Where the manual's start page may be, in the order they are tried: the installed copy beside
 *  the program (PROGRAM/../share/doc/quelp/manual), the source tree's copy when the program was
 *  built from one (sourceManualDir, empty for none), then each system data folder's
 *  doc/quelp/manual. A program run from its build tree thus shows the manual of its own sources,
 *  an installed one its installed copy. */
QStringList ManualCandidates(const QString& programDir, const QString& sourceManualDir,
                             const QStringList& dataDirs);

/** The first candidate that is a file, as an absolute clean path, or empty. */
QString FindFirstFile(const QStringList& candidates);

/** The manual's start page for this program, or empty when no copy is found. */
QString LocateManual();
