#include "helplocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const char* const kStartPage = "/index.html";
}  // namespace

QStringList ManualCandidates(const QString& programDir, const QString& sourceManualDir,
                             const QStringList& dataDirs)
{
    QStringList candidates{programDir + QStringLiteral("/../share/doc/quelp/manual") + kStartPage};
    if (!sourceManualDir.isEmpty())
        candidates << sourceManualDir + kStartPage;
    for (const QString& dir : dataDirs)
        candidates << dir + QStringLiteral("/doc/quelp/manual") + kStartPage;
    return candidates;
}

QString FindFirstFile(const QStringList& candidates)
{
    for (const QString& path : candidates)
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return QString();
}

QString LocateManual()
{
#ifdef QUELP_MANUAL_SOURCE_DIR
    const QString source = QStringLiteral(QUELP_MANUAL_SOURCE_DIR);
#else
    const QString source;
#endif
    return FindFirstFile(
        ManualCandidates(QCoreApplication::applicationDirPath(), source,
                         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)));
}
