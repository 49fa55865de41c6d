#include "rightview.h"

#include "mapviewpainter.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "core/updatehint.h"
#include "edit/celledit.h"
#include "edit/eventedit.h"
#include "edit/textedit.h"
#include "render/mapfont.h"

#include <QCursor>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

QCursor TextPlacementCursor()
{
    static const QCursor cursor = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const QPoint arrow[] = {{0, 0}, {0, 15}, {4, 11}, {7, 17}, {9, 16}, {6, 10}, {11, 10}};
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::black);
        p.drawPolygon(arrow, 7);
        // The small letter A beside the arrow.
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(13, 26, 17, 14);
        p.drawLine(17, 14, 21, 26);
        p.drawLine(15, 21, 19, 21);
        return QCursor(pixmap, 0, 0);
    }();
    return cursor;
}

CRightView::CRightView(CQuelpDoc& doc, QWidget* parent)
    : CScrollPane(parent), Launcher(SecondInstanceLauncher()), doc_(doc)
{
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    doc_.AddView(this);
    RecalcScrollSizes();
}

CRightView::~CRightView() { doc_.RemoveView(this); }

MapViewGeometry CRightView::Geometry() const
{
    return {doc_.Zoom, ChipWidth, ChipHeight, doc_.Columns, doc_.Rows};
}

void CRightView::RecalcScrollSizes() { SetScrollSizes(MapScrollRange(Geometry())); }

IntPoint CRightView::MapPixelAt(QPoint window) const
{
    return WindowToMapPixel(window, ScrollPos());
}

QPoint CRightView::MapPixelToGlobal(IntPoint mapPixel) const
{
    return viewport()->mapToGlobal(MapPixelToWindow(mapPixel, ScrollPos()));
}

void CRightView::MovePointerTo(IntPoint mapPixel) { QCursor::setPos(MapPixelToGlobal(mapPixel)); }


bool CRightView::TypingActive() const
{
    return doc_.CurrentTab == kTextsTab && doc_.EditMode == 0;
}

// --- updates ---

QRegion CRightView::HighlightArea() const
{
    const HighlightRect h = GetHighlightRect(doc_);
    if (h.Kind == 0)
        return {};
    // The outline runs along right and bottom too; a pixel more on each side for safety.
    return QRegion(QRect(QPoint(h.Rect.Left + kMapMargin - 1, h.Rect.Top + kMapMargin - 1),
                         QPoint(h.Rect.Right + kMapMargin + 1, h.Rect.Bottom + kMapMargin + 1)));
}

void CRightView::InvalidateScrolled(const QRegion& scrolled)
{
    viewport()->update(scrolled.translated(-ScrollPos()));
}

void CRightView::OnUpdate(IDocObserver*, int hint)
{
    if (hint == 0) {
        RecalcScrollSizes();
        UpdateCursorShape();
        viewport()->update();
        painted_ = HighlightArea();
        return;
    }
    if (!(hint & HintMapView))
        return;
    RecalcScrollSizes();
    if ((hint & HintCaretFont) && caretShown_) {
        DestroyCaret();
        CreateCaret();
    }
    if (hint & HintCaretShow) {
        if (TypingActive()) {
            if (!caretShown_)
                CreateCaret();
        } else if (caretShown_) {
            DestroyCaret();
        }
    }
    UpdateCursorShape();
    // A block or rectangle dragged by this view's own pointer move changes nothing but the area
    // under the outline (and the block's cells), before and after.
    const bool outlineOnly = inPointerMove_ && hint == HintMapView
        && !(doc_.SelectPhase == 2 && doc_.EditMode > 2);
    const QRegion now = HighlightArea();
    if (outlineOnly)
        InvalidateScrolled(painted_ + now);
    else
        viewport()->update();
    painted_ = now;
}

// --- caret ---

void CRightView::CreateCaret()
{
    // The font the texts are drawn and measured in.
    caretHeight_ = CaretHeight(MapFont(doc_.FontFace, doc_.FontSize).pixelSize(), doc_.Zoom);
    caretShown_ = true;
    PlaceCaret();
}

void CRightView::DestroyCaret()
{
    if (!caretShown_)
        return;
    viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
    caretShown_ = false;
}

QRect CRightView::CaretRect() const
{
    return QRect(caretPos_ - ScrollPos(), QSize(1, caretHeight_));
}

void CRightView::PlaceCaret()
{
    if (!caretShown_)
        return;
    viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
    IntPoint at = doc_.TypePos;
    if (!doc_.TypedText.empty())
        at.X += doc_.Ui().MeasureText(doc_.TypedText, doc_.FontFace, doc_.FontSize).Width;
    caretPos_ = CaretWindowPos(at, doc_.Zoom, {0, 0});
    viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void CRightView::UpdateCursorShape()
{
    const bool text = TypingActive();
    if (text == textCursor_)
        return;
    textCursor_ = text;
    if (text)
        viewport()->setCursor(TextPlacementCursor());
    else
        viewport()->unsetCursor();
}

// --- painting ---

void CRightView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPoint scroll = ScrollPos();
    painter.translate(-scroll);
    for (const QRect& rect : event->region())
        PaintMapArea(painter, doc_, rect.translated(scroll));
    if (caretShown_ && hasFocus()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(caretPos_, QSize(1, caretHeight_)), Qt::white);
    }
}

// --- mouse ---

void CRightView::mousePressEvent(QMouseEvent* event)
{
    const QPoint window = event->position().toPoint();
    const bool onMap = IsOnMap(Geometry(), window + ScrollPos());
    const IntPoint p = MapPixelAt(window);
    if (event->button() == Qt::LeftButton) {
        if (onMap)
            ButtonPress(doc_, 1, p.X, p.Y);
    } else if (event->button() == Qt::RightButton) {
        if (onMap && doc_.CurrentTab < kEventsTab)
            ButtonPress(doc_, 2, p.X, p.Y);
    }
    // The mouse stays with this view until release (Qt's implicit grab).
    event->accept();
}

void CRightView::mouseReleaseEvent(QMouseEvent* event)
{
    const IntPoint p = MapPixelAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        if (doc_.ButtonDown == 1) {
            ButtonRelease(doc_, p.X, p.Y);
            if (TypingActive()) {
                if (!caretShown_ && hasFocus())
                    CreateCaret();
                PlaceCaret();
            }
        }
    } else if (event->button() == Qt::RightButton) {
        if (doc_.CurrentTab == kEventsTab) {
            targetIndex_ = HitTestEvent(doc_, p.X, p.Y);
            if (targetIndex_ != -1) {
                QMenu* menu = MakeEventMenu(this);
                RunMenu(*menu);
                delete menu;
            }
        } else if (doc_.CurrentTab == kTextsTab) {
            targetIndex_ = HitTestText(doc_, p.X, p.Y);
            if (targetIndex_ != -1) {
                QMenu* menu = MakeTextMenu(this);
                RunMenu(*menu);
                delete menu;
            }
        } else if (doc_.ButtonDown == 2) {
            ButtonRelease(doc_, p.X, p.Y);
        }
    }
    event->accept();
}

void CRightView::mouseMoveEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const IntPoint p = MapPixelAt(event->position().toPoint());
    const IntPoint cell = CellFromPoint(doc_, p.X, p.Y);
    emit statusTextChanged(U("マップ座標(%1,%2) グラフィック座標(%3,%4)")
                               .arg(cell.X).arg(cell.Y).arg(p.X).arg(p.Y));
    if (doc_.ButtonDown != 0) {
        inPointerMove_ = true;
        PointerMove(doc_, p.X, p.Y);
        inPointerMove_ = false;
    }
    event->accept();
}

// --- keyboard ---

void CRightView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers()
        & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!TypingActive() || mods) {
        CScrollPane::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace: TypeBytes("\b"); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: TypeBytes("\r"); break;
    case Qt::Key_Escape: TypeBytes("\x1b"); break;
    default:
        if (event->text().isEmpty() || !event->text().at(0).isPrint()) {
            CScrollPane::keyPressEvent(event);
            return;
        }
        TypeText(event->text());
    }
    event->accept();
}

void CRightView::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat()) {
        if (event->key() == Qt::Key_Escape)
            CancelFloating(doc_);
        else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            EnterKey(doc_);
    }
    CScrollPane::keyReleaseEvent(event);
}

void CRightView::inputMethodEvent(QInputMethodEvent* event)
{
    if (TypingActive() && !event->commitString().isEmpty())
        TypeText(event->commitString());
    event->accept();
}

QVariant CRightView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return TypingActive();
    case Qt::ImCursorRectangle: return CaretRect();
    default: return CScrollPane::inputMethodQuery(query);
    }
}

void CRightView::TypeText(const QString& text)
{
    const Cp932Result bytes = Cp932FromQString(text);
    if (!bytes.Ok()) {
        doc_.Ui().ShowMessage(Cp932("シフトJISで表せない文字は入力できません。"));
        return;
    }
    TypeBytes(bytes.Bytes);
}

void CRightView::TypeBytes(const std::string& bytes)
{
    bool moveCaret = false;
    for (char c : bytes)
        moveCaret = TypeChar(doc_, static_cast<unsigned char>(c)) || moveCaret;
    if (moveCaret)
        PlaceCaret();
}

void CRightView::focusInEvent(QFocusEvent* event)
{
    CScrollPane::focusInEvent(event);
    if (TypingActive() && !caretShown_)
        CreateCaret();
}

void CRightView::focusOutEvent(QFocusEvent* event)
{
    CScrollPane::focusOutEvent(event);
    // A context menu borrows the focus only for its own loop.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (caretShown_) {
        DestroyCaret();
        doc_.DiscardTypedText();
    }
    emit statusTextChanged(U("レディ"));
}

// --- context menus ---

void CRightView::RunMenu(QMenu& menu)
{
    const QPoint at = QCursor::pos();
    if (MenuRunner)
        MenuRunner(menu, at);
    else
        menu.exec(at);
}

QMenu* CRightView::MakeTextMenu(QWidget* parent)
{
    auto* menu = new QMenu(U("MENU_TEXT"), parent);
    menu->addAction(U("編集"), this, &CRightView::OnTextEdit)->setData(32829);
    menu->addAction(U("削除"), this, &CRightView::OnTextDelete)->setData(32827);
    menu->addAction(U("移動"), this, &CRightView::OnTextMove)->setData(32834);
    menu->addAction(U("複写"), this, &CRightView::OnTextCopy)->setData(32836);
    return menu;
}

QMenu* CRightView::MakeEventMenu(QWidget* parent)
{
    auto* menu = new QMenu(U("MENU_EVENT"), parent);
    menu->addAction(U("編集"), this, &CRightView::OnEventEdit)->setData(32849);
    menu->addAction(U("削除"), this, &CRightView::OnEventDelete)->setData(32848);
    QAction* open = menu->addAction(U("異動先を開く"), this, &CRightView::OnOpenDestination);
    open->setData(32850);
    open->setEnabled(OpenDestinationEnabled(doc_, targetIndex_));
    return menu;
}

void CRightView::OnTextEdit() { EditText(doc_, targetIndex_); }
void CRightView::OnTextDelete() { DeleteText(doc_, targetIndex_); }
void CRightView::OnTextMove() { MoveText(doc_, targetIndex_); }
void CRightView::OnTextCopy() { CopyText(doc_, targetIndex_); }
void CRightView::OnEventEdit() { EditEvent(doc_, targetIndex_); }
void CRightView::OnEventDelete() { DeleteEvent(doc_, targetIndex_); }
void CRightView::OnOpenDestination() { OpenDestination(doc_, targetIndex_, Launcher); }
