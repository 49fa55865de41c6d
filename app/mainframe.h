#pragma once

#include "filecommands.h"
#include "printmap.h"

#include "core/docobserver.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>

class CQuelpDoc;
class CRecentFileList;
class ISettingsStore;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

/** The main window: menu bar, tool bar "標準", status bar, the client view, the command table
 *  mapped onto actions, the file commands and drag and drop of map files. It observes the
 *  document to keep its title and the commands' rules current. */
class CMainFrame : public QMainWindow, public IDocObserver {
    Q_OBJECT

public:
    CMainFrame(CQuelpDoc& doc, ISettingsStore& store, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CQuelpDoc& Doc() const { return doc_; }
    CFileCommands& Files() { return *files_; }
    CRecentFileList& Recent() { return *recent_; }

    /** The action of a command id (recent files 57616..57619 included), or nullptr. */
    QAction* Action(int id) const;
    QToolBar* StandardToolBar() const { return toolBar_; }
    /** The message pane of the status bar. */
    QLabel* MessagePane() const { return messagePane_; }
    /** The indicators "CAP", "NUM" and "SCRL", in that order. */
    QLabel* Indicator(int index) const;

    /** Re-evaluates every enable, check and text rule. */
    void UpdateCommandUi();
    /** Runs a command if it is enabled; an invalid index ends it quietly. False when the
     *  command did not run. */
    bool ExecuteCommand(int id);

    /** Puts the client view (the layer tabs with the two panes) in the frame. */
    void SetClientView(QWidget* view);
    /** The two panes that F6 and Shift+F6 move the focus between. */
    void SetPanes(QWidget* left, QWidget* right);
    /** F6 / Shift+F6: the focus goes to the other pane when one of the two has it. */
    void FocusOtherPane();
    /** The message pane's text while no menu item or button is hovered ("レディ"). */
    void SetIdleMessage(const QString& text);

    void UpdateTitle();
    /** Takes the stored normal window rectangle, never maximised or minimised. */
    void RestorePlacement();
    /** Stores the normal (restored) rectangle, even while maximised. */
    void StorePlacement();
    /** Opens each dropped map in order, the save question before each. */
    void OpenDroppedFiles(const QStringList& localPaths);

    /** 57607 on the frame's printer, which keeps its settings between prints. */
    PrintResult PrintMap();
    /** The dialogs of printing; replaced in tests. */
    PrintHooks Printing;
    QPrinter& Printer();

    void ShowAbout();
    /** Opens the help file if one is installed, else says that there is none. */
    void ShowHelp();
    /** Where the help file is looked for; replaced in tests. */
    std::function<QString()> HelpFileLocator;

    void OnUpdate(IDocObserver* sender, int hint) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void UpdateRecentFileItems();
    void UpdateIndicators();
    FileCommandHooks MakeFileHooks();

    CQuelpDoc& doc_;
    ISettingsStore& store_;
    std::unique_ptr<CRecentFileList> recent_;
    std::unique_ptr<CFileCommands> files_;
    std::map<int, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* indicators_[3] = {nullptr, nullptr, nullptr};
    QWidget* leftPane_ = nullptr;
    QWidget* rightPane_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};
