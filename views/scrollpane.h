#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QSize>

/** A scrolling pane in one-to-one pixel units: a total size, a page of a tenth of it and a line
 *  of a tenth of the page; the background is grey. A wheel notch scrolls the desktop's wheel
 *  lines (three by default) in cells of the pane, whatever the size of the map; Shift or Ctrl
 *  with the vertical wheel, and the horizontal wheel, scroll sideways. */
class CScrollPane : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CScrollPane(QWidget* parent = nullptr);

    /** Sets the total scroll size in pixels. */
    void SetScrollSizes(QSize total);
    QSize TotalSize() const { return total_; }
    /** The scroll position: the scroll-area pixel at the window's top-left. */
    QPoint ScrollPos() const;
    /** Page size in pixels (a tenth of the total). */
    QSize PageSize() const;

    /** Scrolls by a wheel's angle (eighths of a degree, 120 a notch): up or left when positive.
     *  Fractions of a pixel add up over fine-grained wheels. False when nothing moved. */
    bool ScrollByWheel(Qt::Orientation orientation, int angle);

signals:
    /** Text for the first pane of the status bar. */
    void statusTextChanged(const QString& text);

protected:
    /** The size of one cell in window pixels: the unit of wheel scrolling. */
    virtual QSize WheelCell() const { return {16, 16}; }

    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateBars();
    QSize total_{100, 100};
    QPoint wheelResidue_;   ///< what a fine-grained wheel turned short of a pixel
};

/** The grey of the panes' background, RGB(200, 200, 200). */
inline constexpr QRgb kPaneBackground = 0xFFC8C8C8;
