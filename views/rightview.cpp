#include "rightview.h"

#include "checkeddialog.h"
#include "mapviewpainter.h"
#include "textcursor.h"

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

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

CRightView::CRightView(CQuelpDoc& doc, QWidget* parent)
    : CScrollPane(parent), InputMethodReset([] { QGuiApplication::inputMethod()->reset(); }),
      Launcher(SecondInstanceLauncher()), doc_(doc)
{
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    doc_.AddView(this);
    RecalcScrollSizes();
}

CRightView::~CRightView() { doc_.RemoveView(this); }

void CRightView::RecalcScrollSizes()
{
    SetScrollSizes(MapScrollRange(doc_.GetMapPixelSize(doc_.Zoom)));
}

QSize CRightView::WheelCell() const
{
    return {std::max(1, ChipWidth * doc_.Zoom / 4), std::max(1, ChipHeight * doc_.Zoom / 4)};
}

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

bool CRightView::TypingChangedElsewhere(int hint) const
{
    // Hints beyond the map view's own repaint come from commands that end the typing (tab,
    // mode, zoom, font, dialogs); a changed typed text was committed or thrown away.
    constexpr int kEndsTyping = HintPalette | HintErase | HintCaretFont | HintCaretShow;
    return hint == 0 || (hint & kEndsTyping) || !TypingActive() || doc_.TypedText != typedSeen_
        || doc_.TypePos != typePosSeen_;
}

void CRightView::OnUpdate(IDocObserver*, int hint)
{
    if (!preedit_.IsEmpty() && !inTyping_ && TypingChangedElsewhere(hint))
        ResetComposition();
    if (TypingActive() != imEnabled_) {
        imEnabled_ = TypingActive();
        UpdateInputMethod(Qt::ImEnabled | Qt::ImHints);
    }
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
    // Inside a composition the caret stands where the input method puts it.
    if (!preedit_.IsEmpty())
        at.X += static_cast<int>(preedit_.CaretOffset(TypingFont()));
    caretPos_ = CaretWindowPos(at, doc_.Zoom, {0, 0});
    viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
    UpdateInputMethod(Qt::ImCursorRectangle);
}

QFont CRightView::TypingFont() const { return MapFont(doc_.FontFace, doc_.FontSize); }

void CRightView::UpdateInputMethod(Qt::InputMethodQueries queries)
{
    if (hasFocus())
        QGuiApplication::inputMethod()->update(queries);
}

void CRightView::ResetComposition()
{
    const bool shown = !preedit_.IsEmpty();
    preedit_.Clear();
    // Only the focus widget's composition is the input method's current one.
    if (hasFocus() && InputMethodReset)
        InputMethodReset();
    if (shown) {
        viewport()->update();
        PlaceCaret();
    }
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
    if (!preedit_.IsEmpty() && TypingActive()) {
        // After the typed text, in its font, size and colour, scaled as the map is.
        painter.save();
        painter.translate(kMapMargin, kMapMargin);
        painter.scale(doc_.Zoom / 4.0, doc_.Zoom / 4.0);
        qreal x = doc_.TypePos.X;
        if (!doc_.TypedText.empty())
            x += doc_.Ui().MeasureText(doc_.TypedText, doc_.FontFace, doc_.FontSize).Width;
        preedit_.Draw(painter, QPointF(x, doc_.TypePos.Y), TypingFont(),
                      QColor::fromRgb(RgbFromColorRef(doc_.TextColor)));
        painter.restore();
    }
    if (caretShown_ && hasFocus() && (preedit_.IsEmpty() || preedit_.CursorVisible())) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(caretPos_, QSize(1, caretHeight_)), Qt::white);
    }
}

// --- mouse ---

void CRightView::mousePressEvent(QMouseEvent* event)
{
    ResetComposition();
    const QPoint window = event->position().toPoint();
    const bool onMap = IsOnMap(doc_.GetMapPixelSize(doc_.Zoom), window + ScrollPos());
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
            if (targetIndex_ != -1)
                RunMenu(*MakeEventMenu());
        } else if (doc_.CurrentTab == kTextsTab) {
            targetIndex_ = HitTestText(doc_, p.X, p.Y);
            if (targetIndex_ != -1)
                RunMenu(*MakeTextMenu());
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
    case Qt::Key_Escape:
        ResetComposition();
        TypeBytes("\x1b");
        break;
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
    event->accept();
    if (!TypingActive()) {
        preedit_.Clear();
        return;
    }
    preedit_.Clear();
    if (!event->commitString().isEmpty())
        TypeText(event->commitString());
    preedit_.Take(*event);
    typedSeen_ = doc_.TypedText;
    typePosSeen_ = doc_.TypePos;
    viewport()->update();
    PlaceCaret();
}

QVariant CRightView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return TypingActive();
    // The caret in this widget's pixels (it is painted on the viewport), where the input
    // method puts its candidate window.
    case Qt::ImCursorRectangle: return CaretRect().translated(viewport()->pos());
    case Qt::ImFont: {
        QFont font = TypingFont();
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, font.pixelSize() * doc_.Zoom / 4));
        return font;
    }
    case Qt::ImHints: return static_cast<int>(Qt::ImhNoAutoUppercase);
    default: return CScrollPane::inputMethodQuery(query);
    }
}

void CRightView::TypeText(const QString& text)
{
    const Cp932Result bytes = Cp932FromQString(text);
    if (!bytes.Ok()) {
        doc_.Ui().ShowMessageText(UnmappableMessage(bytes.Unmappable), MessageKind::Warning);
        return;
    }
    TypeBytes(bytes.Bytes);
}

void CRightView::TypeBytes(const std::string& bytes)
{
    bool moveCaret = false;
    inTyping_ = true;
    for (char c : bytes)
        moveCaret = TypeChar(doc_, static_cast<unsigned char>(c)) || moveCaret;
    inTyping_ = false;
    typedSeen_ = doc_.TypedText;
    typePosSeen_ = doc_.TypePos;
    if (moveCaret)
        PlaceCaret();
}

void CRightView::focusInEvent(QFocusEvent* event)
{
    CScrollPane::focusInEvent(event);
    imEnabled_ = TypingActive();
    if (TypingActive() && !caretShown_)
        CreateCaret();
}

void CRightView::focusOutEvent(QFocusEvent* event)
{
    CScrollPane::focusOutEvent(event);
    // A context menu borrows the focus only for its own loop.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    // The input method still works on this view's composition until the focus object changes
    // after this event; what it held goes with the typed text.
    if (!preedit_.IsEmpty()) {
        preedit_.Clear();
        if (InputMethodReset)
            InputMethodReset();
        viewport()->update();
    }
    if (caretShown_) {
        DestroyCaret();
        doc_.DiscardTypedText();
    }
    emit statusTextChanged(U("レディ"));
}
