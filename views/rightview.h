#pragma once

#include "mapviewgeometry.h"
#include "opendestination.h"
#include "preedit.h"
#include "scrollpane.h"

#include "core/docobserver.h"

#include <QRegion>
#include <functional>
#include <memory>
#include <string>

class CQuelpDoc;
class QMenu;

/** The map editing view: the map at the current zoom with a 16-pixel margin, its grid and the
 *  outline of a drag, selection or floating block; mouse and keys become the document's editing
 *  operations; the typing caret on the texts tab; the context menus of events and texts.
 *  Reacts to hint bits 2, 16, 32 and 64. */
class CRightView : public CScrollPane, public IDocObserver {
    Q_OBJECT

public:
    CRightView(CQuelpDoc& doc, QWidget* parent = nullptr);
    ~CRightView() override;

    void OnUpdate(IDocObserver* sender, int hint) override;

    /** Scroll range from the map: (Mw + 33) x (Mh + 33). */
    void RecalcScrollSizes();
    /** The global screen point of a map pixel at the current zoom (for moving the pointer). */
    QPoint MapPixelToGlobal(IntPoint mapPixel) const;
    /** Moves the mouse pointer onto a map pixel at the current zoom. */
    void MovePointerTo(IntPoint mapPixel);

    /** Whether the typing caret is shown, and where (window pixels) and how high. */
    bool CaretShown() const { return caretShown_; }
    QRect CaretRect() const;
    /** Index of the event or text under the last context menu, -1 for none. */
    int TargetIndex() const { return targetIndex_; }

    /** The input method's composition, shown at the caret until it commits. */
    const PreeditText& Preedit() const { return preedit_; }
    /** Throws an unfinished composition away, here and in the input method, so that it never
     *  lands in the next text. */
    void ResetComposition();
    /** Resets the input method's composition; replaced by tests. */
    std::function<void()> InputMethodReset;

    /** Context menu commands, acting on TargetIndex. */
    void OnTextEdit();      // 32829
    void OnTextDelete();    // 32827
    void OnTextMove();      // 32834
    void OnTextCopy();      // 32836
    void OnEventEdit();     // 32849
    void OnEventDelete();   // 32848
    void OnOpenDestination();  // 32850

    /** Builds the menus "MENU_TEXT" (323) and "MENU_EVENT" (324) with their enable rules. */
    std::unique_ptr<QMenu> MakeTextMenu();
    std::unique_ptr<QMenu> MakeEventMenu();

    /** Shows a context menu; replaced by tests, which pick an item instead of a modal loop. */
    std::function<void(QMenu& menu, QPoint globalPos)> MenuRunner;
    /** Starts the program on a destination map; replaced by tests. */
    MapLauncher Launcher;

protected:
    QSize WheelCell() const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    IntPoint MapPixelAt(QPoint window) const;
    bool TypingActive() const;
    /** Types CP932 bytes; a character CP932 cannot hold is refused with a message. */
    void TypeText(const QString& text);
    void TypeBytes(const std::string& bytes);
    void CreateCaret();
    void DestroyCaret();
    void PlaceCaret();
    void UpdateCursorShape();
    /** The view pixels (scrolled) that the outline or floating block covers now. */
    QRegion HighlightArea() const;
    void InvalidateScrolled(const QRegion& scrolled);
    void RunMenu(QMenu& menu);
    void RunMenuCommand(int id);
    /** The font texts are typed in, at full size (map pixels), and its colour. */
    QFont TypingFont() const;
    /** Tells the input method that what it asks about (enabled, caret, font) has changed. */
    void UpdateInputMethod(Qt::InputMethodQueries queries);
    /** Whether the typed text changed under a shown composition (by the document). */
    bool TypingChangedElsewhere(int hint) const;

    CQuelpDoc& doc_;
    bool caretShown_ = false;
    QPoint caretPos_;        ///< scrolled view pixels
    int caretHeight_ = 2;
    int targetIndex_ = -1;
    bool textCursor_ = false;
    // While this view moves the pointer through the document, hint 2 only moves the outline or
    // the floating block: the area it covered when last painted is repainted with the one it
    // covers now.
    bool inPointerMove_ = false;
    QRegion painted_;
    PreeditText preedit_;
    bool inTyping_ = false;      ///< this view is typing: its own hints keep the composition
    std::string typedSeen_;      ///< the typed text and point when the composition last changed
    IntPoint typePosSeen_;
    bool imEnabled_ = false;
};
