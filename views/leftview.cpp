#include "leftview.h"

#include "palettelayout.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "core/updatehint.h"
#include "edit/celledit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

CLeftView::CLeftView(CQuelpDoc& doc, QWidget* parent) : CScrollPane(parent), doc_(doc)
{
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    doc_.AddView(this);
    RecalcScrollSizes();
}

CLeftView::~CLeftView() { doc_.RemoveView(this); }

void CLeftView::RecalcScrollSizes()
{
    SetScrollSizes(PaletteScrollSize(doc_));
    updateGeometry();
}

QSize CLeftView::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return {TotalSize().width() + frame + verticalScrollBar()->sizeHint().width(),
            TotalSize().height() + frame};
}

QSize CLeftView::WheelCell() const
{
    const CChipPage* page = PalettePage(doc_);
    return page ? QSize(page->ChipWidth, page->ChipHeight) : QSize(ChipWidth, ChipHeight);
}

void CLeftView::OnUpdate(IDocObserver*, int hint)
{
    if (hint != 0 && !(hint & HintPalette))
        return;
    RecalcScrollSizes();
    viewport()->update();
}

const QPixmap& CLeftView::SheetPixmap(const QImage& image)
{
    if (image.cacheKey() != sheetKey_ || sheet_.isNull()) {
        // Without a key: a colour table is drawn opaque; a real alpha channel blends onto black.
        QImage opaque = image;
        if (opaque.format() == QImage::Format_Indexed8) {
            QVector<QRgb> table = opaque.colorTable();
            for (QRgb& entry : table)
                entry = qRgb(qRed(entry), qGreen(entry), qBlue(entry));
            opaque.setColorTable(table);
        }
        sheet_ = QPixmap::fromImage(opaque);
        sheetKey_ = image.cacheKey();
    }
    return sheet_;
}

void CLeftView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(kPaneBackground));
    const CChipPage* page = PalettePage(doc_);
    if (!page)
        return;
    const QPoint scroll = ScrollPos();
    painter.translate(-scroll);

    // Eraser box with its label.
    painter.fillRect(QRect(15, 15, 65, 33), Qt::black);
    QFont font(QString::fromUtf8("MS ゴシック"));
    font.setPixelSize(10);
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(15, 15, 65, 33), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromUtf8("消去"));

    // Sheet frame, sheet and grid in the page's chip size.
    const int w = page->ChipWidth;
    const int h = page->ChipHeight;
    const int right = page->Columns * w + 15;   // last pixel column of the frame
    const int bottom = page->Rows * h + 63;
    const QPen gridPen(QColor(0, 200, 200), 1);
    painter.fillRect(QRect(QPoint(15, 63), QPoint(right, bottom)), Qt::black);
    painter.setPen(gridPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(15, 63), QPoint(right - 1, bottom - 1)));
    painter.drawPixmap(16, 64, SheetPixmap(page->Image.Pixels));
    for (int k = 1; k < page->Columns; ++k)
        painter.drawLine(15 + k * w, 63, 15 + k * w, bottom);
    for (int k = 1; k < page->Rows; ++k)
        painter.drawLine(15, 63 + k * h, right, 63 + k * h);

    // Chosen chips; the right one is drawn last and covers the left one.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto outline = [&](int chip, QColor color) {
        const QRect r = ChipOutline(*page, chip, ChipWidth, ChipHeight);
        if (r.isNull())
            return;
        painter.setPen(QPen(color, 2));
        painter.drawRect(QRectF(r.left(), r.top(), ChipWidth, ChipHeight));
    };
    outline(page->LeftChip, QColor(255, 0, 0));
    outline(page->RightChip, QColor(255, 0, 255));
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    const bool right = event->button() == Qt::RightButton;
    if (left || right) {
        const ChipHit hit = HitTestChip(doc_, event->position().toPoint() + ScrollPos());
        const CLayerData* layer = doc_.CurrentLayer();
        if (hit.Hit && layer) {
            CChipPage& page = doc_.ChipPages[layer->ChipPage];
            int16_t& chosen = left ? page.LeftChip : page.RightChip;
            if (chosen != hit.Chip) {
                chosen = static_cast<int16_t>(hit.Chip);
                doc_.UpdateAllViews(nullptr, HintPalette);
            }
        }
    }
    event->accept();
}

void CLeftView::mouseMoveEvent(QMouseEvent* event)
{
    const ChipHit hit = HitTestChip(doc_, event->position().toPoint() + ScrollPos());
    emit statusTextChanged(hit.Hit ? QString::fromUtf8("チップID=%1").arg(hit.Chip)
                                   : QString::fromUtf8("レディ"));
    setFocus(Qt::MouseFocusReason);
    CScrollPane::mouseMoveEvent(event);
}

void CLeftView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        CancelFloating(doc_);
    CScrollPane::keyReleaseEvent(event);
}
