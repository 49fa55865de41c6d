// Writes examples/town: the tile sheets and town.mpx, drawn and written by the project itself.
#include "core/nulluiport.h"
#include "exampletown.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "mapfile/mapdocumentfile.h"

#include <QDir>
#include <cstdio>

namespace {
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);
    if (!DrawGroundSheet().save(folder + "/ground.png") ||
        !DrawObjectSheet().save(folder + "/objects.png")) {
        std::fprintf(stderr, "make_example: cannot write the sheets in %s\n", argv[1]);
        return 1;
    }
    // Defaults of a first start, whatever this user's settings hold.
    MemorySettingsStore store;
    NullUiPort ui;
    CQuelpDoc doc(store, ui);
    ChipWidth = 16;
    ChipHeight = 16;
    doc.OnNewDocument();
    const std::string folderCp932 = Cp932FromLocalPath(folder.toStdString() + "/").Bytes;
    BuildExampleTown(doc, folderCp932);
    std::string error;
    if (!SaveMapFile(doc, folderCp932 + "town.mpx", error)) {
        std::fprintf(stderr, "make_example: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
