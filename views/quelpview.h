#pragma once

#include "core/docobserver.h"

#include <QIcon>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class CLeftView;
class CQuelpDoc;
class CRightView;
class QMenu;
class QSplitter;
class QTabBar;
struct LayerOptionDialogValues;

/** The layer tab view: ten tabs (eight layers, "Event", "Text") whose images tell shown or
 *  hidden and current, the layer menu on a right click, and below the tabs a splitter with the
 *  chip palette left and the map view right. Reacts only to hint 0. */
class CQuelpView : public QWidget, public IDocObserver {
    Q_OBJECT

public:
    CQuelpView(CQuelpDoc& doc, QWidget* parent = nullptr);
    ~CQuelpView() override;

    void OnUpdate(IDocObserver* sender, int hint) override;
    /** Refreshes tab 0..9 from the document: a layer's name and every tab's image. */
    void UpdateTab(int tab);
    /** The image index shown on a tab: 0 shown, 1 hidden, +2 when current. */
    int TabImageIndex(int tab) const;

    QTabBar* TabBar() const { return tabs_; }
    QSplitter* Splitter() const { return splitter_; }
    CLeftView* LeftView() const { return left_; }
    CRightView* RightView() const { return right_; }

    /** The tab last right-clicked: 0..7 a layer, 8 "Event", 9 "Text", 10 none. */
    int MenuTab() const { return menuTab_; }
    /** Remembers a right click on a tab (10 for none) and opens the layer menu at a point. */
    void OpenLayerMenu(int tab, QPoint globalPos);
    /** The layer menu ("LAYER") with the enable and check rules for the menu tab. */
    std::unique_ptr<QMenu> MakeLayerMenu();

    void OnLayerShow();       // 32793
    void OnLayerSettings();   // 32794
    void OnLayerMoveLeft();   // 32795
    void OnLayerMoveRight();  // 32796
    void OnLayerSaveImage();  // 32797

    /** Shows the layer menu; replaced by tests, which pick an item instead of a modal loop. */
    std::function<void(QMenu& menu, QPoint globalPos)> MenuRunner;
    /** Runs the layer settings dialog with the eight page names; replaced by tests. */
    std::function<bool(LayerOptionDialogValues& values, const QStringList& pageNames)>
        LayerDialogRunner;

    /** Saves layer position i as a picture (the export side's layer image save). */
    std::function<void(int layerPosition)> LayerImageSaver;

signals:
    /** Text for the first pane of the status bar, from either pane. */
    void statusTextChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void OnTabChanged(int index);
    QStringList PageNames() const;

    CQuelpDoc& doc_;
    QTabBar* tabs_;
    QSplitter* splitter_;
    CLeftView* left_;
    CRightView* right_;
    std::array<QIcon, 4> images_;
    std::array<int, 10> shownImage_{};
    int menuTab_ = 10;
    int selectedTab_ = 0;
    bool columnsSet_ = false;
};

/** The four tab pictures (16 x 17): shown, hidden, shown and current, hidden and current. */
QPixmap TabImagePixmap(int image);
