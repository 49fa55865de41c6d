#include "application.h"

#include "autosave.h"
#include "clientview.h"
#include "desktopregistration.h"
#include "mainframe.h"
#include "qsettingsstore.h"
#include "qtuiport.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "core/settingsstore.h"
#include "render/mapfont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
void ReadChipSize(const ISettingsStore& store)
{
    ChipWidth = store.ReadInt(kDefaultSection, "ChipWidth", 16);
    ChipHeight = store.ReadInt(kDefaultSection, "ChipHeight", 16);
}

}  // namespace

bool InstallQtTranslation(QApplication& app, QTranslator& translator)
{
    if (!translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return app.installTranslator(&translator);
}

int RunEditor(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZR-N"));
    QApplication::setApplicationName(QStringLiteral("Quelp"));
    QTranslator translator;
    InstallQtTranslation(app, translator);
    // Qt's own dialogs (the file dialog's dates, sizes and file kinds) follow the program's
    // language, not the system's.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    InstallFontSubstitutions();
    RegisterDesktopIntegration(DesktopPaths::FromEnvironment(),
                               QCoreApplication::applicationFilePath());

    QSettingsStore store;
    ReadChipSize(store);
    QtUiPort ui;
    CQuelpDoc doc(store, ui);
    // The chip size is read a second time once the document and its window exist, as it always
    // was; the value is the same.
    ReadChipSize(store);
    CMainFrame frame(doc, store);
    ui.SetParentWindow(&frame);
    CreateClientView(frame, doc, ui);
    frame.RestorePlacement();

    doc.OnNewDocument();
    doc.UpdateAllViews(nullptr, 0);
    // Unsaved work is kept in a recovery copy; a clean exit removes it with this object.
    CAutoSave autoSave(doc, frame.Files(), DefaultRecoveryFolder());
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && !frame.Files().OpenDocumentFile(args.at(1)))
        return 1;

    frame.showNormal();
    autoSave.OfferRecovery();
    return app.exec();
}
