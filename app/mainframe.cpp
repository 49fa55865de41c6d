#include "mainframe.h"

#include "aboutdlg.h"
#include "appicons.h"
#include "commandids.h"
#include "commandtable.h"
#include "helplocation.h"
#include "lockkeys.h"
#include "mapfileio.h"
#include "messagebox.h"
#include "recentfiles.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/settingsstore.h"
#include "core/uiport.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {
constexpr const char* kWorkspace = "Workspace";
const QSize kDefaultSize(900, 650);

QString MapFilter()
{
    return QString::fromUtf8("マップファイル (*.mpx);;すべてのファイル (*)");
}

bool IsInside(const QWidget* widget, const QWidget* container)
{
    return widget && container && (widget == container || container->isAncestorOf(widget));
}

}  // namespace

CMainFrame::CMainFrame(CQuelpDoc& doc, ISettingsStore& store, QWidget* parent)
    : QMainWindow(parent), doc_(doc), store_(store)
{
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    recent_ = std::make_unique<CRecentFileList>(store_);
    files_ = std::make_unique<CFileCommands>(doc_, *recent_, MakeFileHooks(), DefaultMapFileIo());
    HelpFileLocator = LocateManual;
    Printing = DefaultPrintHooks(this);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    // The views come in through SetClientView; until then the client area is empty.
    setCentralWidget(new QWidget(this));
    resize(kDefaultSize);

    doc_.AddView(this);
    qApp->installEventFilter(this);
    UpdateTitle();
    UpdateCommandUi();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    doc_.RemoveView(this);
}

FileCommandHooks CMainFrame::MakeFileHooks()
{
    FileCommandHooks hooks;
    hooks.AskSave = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Quelp"), question,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Yes);
        switch (box.exec()) {
        case QMessageBox::Yes: return SaveAnswer::Yes;
        case QMessageBox::No: return SaveAnswer::No;
        default: return SaveAnswer::Cancel;
        }
    };
    hooks.ChooseOpenPath = [this] {
        QFileDialog dialog(this, QString::fromUtf8("開く"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(MapFilter());
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    hooks.ChooseSavePath = [this](const QString& initialName) {
        QFileDialog dialog(this, QString::fromUtf8("名前を付けて保存"));
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(MapFilter());
        dialog.setDefaultSuffix(QStringLiteral("mpx"));
        dialog.selectFile(initialName);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    hooks.Activate = [this] {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    };
    return hooks;
}

void CMainFrame::BuildActions()
{
    for (const CommandSpec& command : CommandTable()) {
        QString text = command.Text;
        if (!command.Shown.isEmpty())
            text += QLatin1Char('\t') + command.Shown;
        auto* action = new QAction(text, this);
        action->setShortcuts(command.Keys);
        action->setStatusTip(command.Status);
        if (!command.ToolTip.isEmpty())
            action->setToolTip(command.ToolTip);
        if (command.ToolBar)
            action->setIcon(ToolBarIcon(command.Id));
        action->setCheckable(static_cast<bool>(command.Checked));
        action->setData(command.Id);
        const int id = command.Id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        addAction(action);  // shortcuts work while the bars are hidden too
        actions_[id] = action;
    }
    // The recent-file entries stand behind the first one's place in the file menu.
    const CommandSpec* recent = FindCommand(cmd::RecentFile1);
    recentPlaceholder_ = actions_[cmd::RecentFile1];
    for (int i = 0; i < cmd::RecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(recent ? recent->Status : QString());
        const int index = i;
        connect(action, &QAction::triggered, this, [this, index] {
            files_->OnOpenRecentFile(index);
            UpdateTitle();
            UpdateCommandUi();
        });
        actions_[cmd::RecentFile1 + 100 + i] = action;
    }
}

QAction* CMainFrame::Action(int id) const
{
    if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount)
        id += 100;
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::BuildMenus()
{
    for (const MenuSpec& menuSpec : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(menuSpec.Title);
        connect(menu, &QMenu::aboutToShow, this, [this] {
            UpdateRecentFileItems();
            UpdateCommandUi();
        });
        for (const MenuEntry& entry : menuSpec.Entries) {
            if (!entry.SubmenuTitle.isEmpty()) {
                QMenu* sub = menu->addMenu(entry.SubmenuTitle);
                connect(sub, &QMenu::aboutToShow, this, [this] { UpdateCommandUi(); });
                for (int id : entry.Submenu)
                    sub->addAction(actions_.at(id));
            } else if (entry.Id == 0) {
                menu->addSeparator();
            } else if (entry.Id == cmd::RecentFile1) {
                fileMenu_ = menu;
                menu->addAction(recentPlaceholder_);
                for (int i = 0; i < cmd::RecentFileCount; ++i)
                    menu->addAction(actions_.at(cmd::RecentFile1 + 100 + i));
            } else {
                menu->addAction(actions_.at(entry.Id));
            }
        }
    }
    UpdateRecentFileItems();
}

void CMainFrame::BuildToolBar()
{
    toolBar_ = addToolBar(QString::fromUtf8("標準"));
    toolBar_->setObjectName(QStringLiteral("standard"));
    toolBar_->setIconSize(QSize(16, 16));
    for (int id : ToolBarLayout()) {
        if (id == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_.at(id));
    }
}

void CMainFrame::BuildStatusBar()
{
    // A status tip shown while hovering hides the message pane; it comes back afterwards.
    messagePane_ = new QLabel(QString::fromUtf8("レディ"), this);
    statusBar()->addWidget(messagePane_, 1);
    const char* names[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        indicators_[i] = new QLabel(QString::fromLatin1(names[i]), this);
        indicators_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicators_[i]->setAlignment(Qt::AlignCenter);
        indicators_[i]->setMinimumWidth(indicators_[i]->fontMetrics().horizontalAdvance(
                                            QStringLiteral("SCRL")) + 8);
        statusBar()->addPermanentWidget(indicators_[i]);
    }
    UpdateIndicators();
}

QLabel* CMainFrame::Indicator(int index) const
{
    return index >= 0 && index < 3 ? indicators_[index] : nullptr;
}

void CMainFrame::UpdateIndicators()
{
    const std::optional<LockKeyState> state = ReadLockKeys();
    const bool on[3] = {state && state->Caps, state && state->Num, state && state->Scroll};
    for (int i = 0; i < 3; ++i)
        if (indicators_[i])
            indicators_[i]->setEnabled(on[i]);
}

void CMainFrame::UpdateRecentFileItems()
{
    const QStringList& paths = recent_->Paths();
    recentPlaceholder_->setVisible(paths.isEmpty());
    recentPlaceholder_->setEnabled(false);
    for (int i = 0; i < cmd::RecentFileCount; ++i) {
        QAction* action = actions_.at(cmd::RecentFile1 + 100 + i);
        action->setVisible(i < paths.size());
        if (i < paths.size())
            action->setText(recent_->MenuText(i));
    }
}

void CMainFrame::UpdateCommandUi()
{
    CommandContext context{doc_, *this};
    for (const CommandSpec& command : CommandTable()) {
        if (command.Id == cmd::RecentFile1)
            continue;
        QAction* action = actions_.at(command.Id);
        const bool enabled = command.Handler && (!command.Enabled || command.Enabled(context));
        action->setEnabled(enabled);
        if (command.Checked)
            action->setChecked(command.Checked(context));
        if (command.DynamicText)
            action->setText(command.DynamicText(context));
    }
}

bool CMainFrame::ExecuteCommand(int id)
{
    if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount) {
        const bool opened = files_->OnOpenRecentFile(id - cmd::RecentFile1);
        UpdateTitle();
        UpdateCommandUi();
        return opened;
    }
    const CommandSpec* command = FindCommand(id);
    if (!command)
        return false;
    CommandContext context{doc_, *this};
    const bool ran = InvokeCommand(*command, context);
    UpdateTitle();
    UpdateCommandUi();
    return ran;
}

void CMainFrame::SetClientView(QWidget* view)
{
    setCentralWidget(view);
}

void CMainFrame::SetPanes(QWidget* left, QWidget* right)
{
    leftPane_ = left;
    rightPane_ = right;
}

void CMainFrame::FocusOtherPane()
{
    const QWidget* focus = QApplication::focusWidget();
    if (IsInside(focus, leftPane_) && rightPane_)
        rightPane_->setFocus(Qt::TabFocusReason);
    else if (IsInside(focus, rightPane_) && leftPane_)
        leftPane_->setFocus(Qt::BacktabFocusReason);
}

void CMainFrame::SetIdleMessage(const QString& text)
{
    messagePane_->setText(text);
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(QStringFromCp932(doc_.GetTitle()) + QStringLiteral(" - Quelp"));
}

void CMainFrame::OnUpdate(IDocObserver*, int)
{
    UpdateTitle();
    UpdateCommandUi();
}

void CMainFrame::RestorePlacement()
{
    const QRect stored(store_.ReadInt(kWorkspace, "NormalLeft", 0),
                       store_.ReadInt(kWorkspace, "NormalTop", 0),
                       store_.ReadInt(kWorkspace, "NormalWidth", 0),
                       store_.ReadInt(kWorkspace, "NormalHeight", 0));
    if (stored.width() < 100 || stored.height() < 100)
        return;
    // A rectangle left on a screen that is gone would put the window out of reach.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(stored)) {
            setGeometry(stored);
            return;
        }
    }
    resize(stored.size());
}

void CMainFrame::StorePlacement()
{
    QRect normal = isMaximized() || isMinimized() || isFullScreen() ? normalGeometry() : geometry();
    if (!normal.isValid())
        normal = geometry();
    store_.WriteInt(kWorkspace, "NormalLeft", normal.left());
    store_.WriteInt(kWorkspace, "NormalTop", normal.top());
    store_.WriteInt(kWorkspace, "NormalWidth", normal.width());
    store_.WriteInt(kWorkspace, "NormalHeight", normal.height());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!files_->SaveModified()) {
        event->ignore();
        UpdateTitle();
        return;
    }
    StorePlacement();
    event->accept();
}

namespace {
QStringList LocalFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}
}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    OpenDroppedFiles(paths);
}

void CMainFrame::OpenDroppedFiles(const QStringList& localPaths)
{
    activateWindow();
    raise();
    for (const QString& path : localPaths)
        files_->OpenDocumentFile(path);
    UpdateTitle();
    UpdateCommandUi();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateIndicators();
    } else if (event->type() == QEvent::WindowActivate && watched == this) {
        UpdateIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ShowAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::ShowHelp()
{
    const QString path = HelpFileLocator ? HelpFileLocator() : QString();
    if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        doc_.Ui().ShowMessage(Cp932("ヘルプ ファイルがありません。"));
}

QPrinter& CMainFrame::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

PrintResult CMainFrame::PrintMap()
{
    return OnPrintMap(doc_, Printer(), Printing);
}
