#include "opendestination.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

MapLauncher SecondInstanceLauncher()
{
    return [](const QString& path) {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), {path});
    };
}

bool OpenDestinationEnabled(const CQuelpDoc& doc, int index)
{
    return index >= 0 && index < doc.Events.GetCount() && !doc.Events.At(index).Map.empty();
}

bool OpenDestination(CQuelpDoc& doc, int index, const MapLauncher& launch)
{
    if (!OpenDestinationEnabled(doc, index))
        return false;
    const QString name = QString::fromStdString(LocalPathFromCp932(doc.Events.At(index).Map));
    QFileInfo file(name);
    if (!file.isFile() && file.isRelative() && !doc.PathName.empty()) {
        // Maps usually name their neighbours relative to their own folder.
        const QFileInfo map(QString::fromStdString(LocalPathFromCp932(doc.PathName)));
        file = QFileInfo(map.dir(), name);
    }
    if (!file.isFile()) {
        doc.Ui().ShowMessage(Cp932("マップファイルが存在しません。"));
        return false;
    }
    return launch(file.absoluteFilePath());
}
