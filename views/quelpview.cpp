#include "quelpview.h"

#include "contextmenus.h"
#include "layermenu.h"
#include "layeroptiondlg.h"
#include "leftview.h"
#include "panesplitter.h"
#include "rightview.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "edit/celledit.h"
#include "edit/layeroptions.h"
#include "edit/tabselect.h"
#include "render/chippages.h"
#include "render/imageexport.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
constexpr int kTabCount = 10;
constexpr int kMinPaneWidth = 74;

/** A tab's text: a layer's name is shown as it is, an "&" in it no mnemonic. */
QString TabTitle(const CQuelpDoc& doc, int tab)
{
    if (tab == kEventsTab)
        return QStringLiteral("Event");
    if (tab == kTextsTab)
        return QStringLiteral("Text");
    return QStringFromCp932(doc.Layers[tab].Name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
}  // namespace

QPixmap TabImagePixmap(int image)
{
    QPixmap pixmap(16, 17);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const bool current = image >= 2;
    const bool hidden = image % 2 == 1;
    p.setPen(QColor(64, 64, 64));
    p.setBrush(current ? QColor(255, 255, 0) : QColor(255, 255, 255));
    p.drawRect(1, 2, 13, 13);
    if (!hidden) {
        p.setPen(Qt::NoPen);
        p.setBrush(current ? QColor(0, 255, 255) : QColor(0, 0, 255));
        p.drawRect(3, 4, 6, 6);
        p.setBrush(current ? QColor(255, 0, 0) : QColor(128, 0, 0));
        p.drawRect(7, 8, 6, 6);
    }
    return pixmap;
}

CQuelpView::CQuelpView(CQuelpDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), tabs_(new QTabBar(this)),
      splitter_(new CPaneSplitter(Qt::Horizontal, this)), left_(new CLeftView(doc, splitter_)),
      right_(new CRightView(doc, splitter_))
{
    for (int i = 0; i < 4; ++i)
        images_[i] = QIcon(TabImagePixmap(i));
    tabs_->setExpanding(false);
    tabs_->setDrawBase(true);
    tabs_->setIconSize(QSize(16, 17));
    tabs_->setFocusPolicy(Qt::StrongFocus);
    for (int tab = 0; tab < kTabCount; ++tab)
        tabs_->addTab(TabTitle(doc_, tab));
    tabs_->installEventFilter(this);

    splitter_->addWidget(left_);
    splitter_->addWidget(right_);
    splitter_->setChildrenCollapsible(false);
    left_->setMinimumWidth(kMinPaneWidth);
    right_->setMinimumWidth(kMinPaneWidth);
    // The divider stays where the user put it; the map view takes what the window gains and
    // gives up width last (CPaneSplitter).
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);

    auto* tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(0, 0, 0, 0);
    tabRow->addWidget(tabs_);
    tabRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addLayout(tabRow);
    layout->addWidget(splitter_, 1);

    connect(tabs_, &QTabBar::currentChanged, this, &CQuelpView::OnTabChanged);
    connect(left_, &CLeftView::statusTextChanged, this, &CQuelpView::statusTextChanged);
    connect(right_, &CRightView::statusTextChanged, this, &CQuelpView::statusTextChanged);

    LayerImageSaver = [this](int position) { SaveLayerImage(position, doc_); };
    doc_.AddView(this);
    OnUpdate(nullptr, 0);
}

CQuelpView::~CQuelpView()
{
    doc_.RemoveView(this);
    // The panes go first, while this view can still hear them.
    disconnect(left_, nullptr, this, nullptr);
    disconnect(right_, nullptr, this, nullptr);
    delete splitter_;
}

void CQuelpView::OnUpdate(IDocObserver*, int hint)
{
    if (hint != 0)
        return;
    for (int tab = 0; tab < kTabCount; ++tab)
        UpdateTab(tab);
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(doc_.CurrentTab);
    selectedTab_ = doc_.CurrentTab;
}

void CQuelpView::UpdateTab(int tab)
{
    if (tab < 0 || tab >= kTabCount)
        return;
    if (tab < kLayerCount)
        tabs_->setTabText(tab, TabTitle(doc_, tab));
    shownImage_[tab] = TabImage(doc_, tab);
    tabs_->setTabIcon(tab, images_[shownImage_[tab]]);
}

int CQuelpView::TabImageIndex(int tab) const { return shownImage_.at(tab); }

void CQuelpView::OnTabChanged(int index)
{
    if (index < 0 || index >= kTabCount)
        return;
    const int previous = selectedTab_;
    selectedTab_ = index;
    right_->ResetComposition();
    SelectLayer(doc_, index);
    UpdateTab(previous);
    UpdateTab(index);
}

// --- the layer menu ---

QStringList CQuelpView::PageNames() const
{
    QStringList names;
    for (int i = 0; i < kChipPageCount; ++i) {
        std::string name;
        GetChipPageName(i, doc_.ChipPages[i], name);
        names << QStringFromCp932(name);
    }
    return names;
}

std::unique_ptr<QMenu> CQuelpView::MakeLayerMenu()
{
    std::unique_ptr<QMenu> menu = BuildContextMenu(LayerMenuLayout(), this, [this](int id) {
        switch (id) {
        case cmd::LayerShow: OnLayerShow(); break;
        case cmd::LayerOptions: OnLayerSettings(); break;
        case cmd::LayerMoveLeft: OnLayerMoveLeft(); break;
        case cmd::LayerMoveRight: OnLayerMoveRight(); break;
        case cmd::LayerSaveImage: OnLayerSaveImage(); break;
        default: break;
        }
    });
    for (QAction* action : menu->actions()) {
        switch (action->data().toInt()) {
        case cmd::LayerShow:
            action->setEnabled(ToggleTabShownEnabled(doc_, menuTab_));
            action->setCheckable(menuTab_ != kNoTab);
            action->setChecked(ToggleTabShownChecked(doc_, menuTab_));
            break;
        case cmd::LayerOptions: action->setEnabled(LayerSettingsEnabled(doc_, menuTab_)); break;
        case cmd::LayerMoveLeft: action->setEnabled(MoveLayerLeftEnabled(doc_, menuTab_)); break;
        case cmd::LayerMoveRight: action->setEnabled(MoveLayerRightEnabled(doc_, menuTab_)); break;
        case cmd::LayerSaveImage: action->setEnabled(SaveLayerImageEnabled(doc_, menuTab_)); break;
        default: break;
        }
    }
    return menu;
}

void CQuelpView::OpenLayerMenu(int tab, QPoint globalPos)
{
    menuTab_ = (tab >= 0 && tab < kTabCount) ? tab : kNoTab;
    const std::unique_ptr<QMenu> menu = MakeLayerMenu();
    if (MenuRunner)
        MenuRunner(*menu, globalPos);
    else
        menu->exec(globalPos);
}

void CQuelpView::OnLayerShow()
{
    const int tab = menuTab_;
    ToggleTabShown(doc_, tab);
    UpdateTab(tab);
    menuTab_ = kNoTab;
}

void CQuelpView::OnLayerSettings()
{
    const int i = menuTab_;
    if (!LayerSettingsEnabled(doc_, i))
        return;
    LayerOptionDialogValues values = LayerOptionValuesFrom(doc_.Layers[i]);
    bool ok = false;
    if (LayerDialogRunner) {
        ok = LayerDialogRunner(values, PageNames());
    } else {
        CLayerOptionDlg dialog(PageNames(), window());
        dialog.SetValues(values);
        ok = dialog.exec() == QDialog::Accepted;
        values = dialog.Values();
    }
    if (ok && ApplyLayerSettings(doc_, i, values))
        UpdateTab(i);
}

void CQuelpView::OnLayerMoveLeft()
{
    const int i = menuTab_;
    if (!MoveLayerLeftEnabled(doc_, i))
        return;
    MoveLayerLeft(doc_, i);
    UpdateTab(i);
    UpdateTab(i - 1);
}

void CQuelpView::OnLayerMoveRight()
{
    const int i = menuTab_;
    if (!MoveLayerRightEnabled(doc_, i))
        return;
    MoveLayerRight(doc_, i);
    UpdateTab(i);
    UpdateTab(i + 1);
}

void CQuelpView::OnLayerSaveImage()
{
    if (!SaveLayerImageEnabled(doc_, menuTab_))
        return;
    if (LayerImageSaver)
        LayerImageSaver(menuTab_);
}

// --- events ---

bool CQuelpView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tabs_) {
        // The wheel does not switch tabs: each switch drops the selection and the typed text.
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                const QPoint at = mouse->position().toPoint();
                OpenLayerMenu(tabs_->tabAt(at), tabs_->mapToGlobal(at));
                return true;
            }
        } else if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
                CancelFloating(doc_);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CQuelpView::mouseReleaseEvent(QMouseEvent* event)
{
    // The strip beside the tabs belongs to the tab control too.
    if (event->button() == Qt::RightButton
        && event->position().y() < splitter_->geometry().top()) {
        OpenLayerMenu(kNoTab, mapToGlobal(event->position().toPoint()));
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CQuelpView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        CancelFloating(doc_);
    QWidget::keyReleaseEvent(event);
}

void CQuelpView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (columnsSet_)
        return;
    // The first layout gives the palette a third and the map two thirds.
    const int width = contentsRect().width() - layout()->contentsMargins().left()
        - layout()->contentsMargins().right();
    if (width <= 0)
        return;
    splitter_->setSizes({std::max(width / 3, kMinPaneWidth),
                         std::max(width * 2 / 3, kMinPaneWidth)});
    columnsSet_ = true;
}
