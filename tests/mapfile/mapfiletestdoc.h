#pragma once

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "support/fakeuiport.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <string>

/** A document on an in-memory settings store, with the chip size back at 16 x 16. */
struct TestDoc {
    MemorySettingsStore Store;
    FakeUiPort Ui;
    CQuelpDoc Doc{Store, Ui};
    HintRecorder Hints;

    TestDoc()
    {
        ChipWidth = 16;
        ChipHeight = 16;
        Doc.OnNewDocument();
        Doc.AddView(&Hints);
    }
    ~TestDoc() { Doc.RemoveView(&Hints); }
};

/** Writes a sheet of width x height pixels (24-bit PNG) to a local path. */
inline bool MakeSheet(const std::string& localPath, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(10, 200, 30));
    return image.save(QString::fromStdString(localPath), "PNG");
}

/** A local path inside a temporary folder, ending without separator. */
inline std::string TempPath(const QTemporaryDir& dir, const std::string& name)
{
    return dir.path().toStdString() + "/" + name;
}
