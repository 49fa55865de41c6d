#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QSize>

/** A scrolling pane in one-to-one pixel units: a total size, a page of a tenth of it and a line
 *  of a tenth of the page; the background is grey; Shift or Ctrl with the vertical wheel, and
 *  the horizontal wheel, scroll sideways by a page. */
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

    /** Scrolls sideways by a page: left when delta > 0, right otherwise; false when nothing
     *  moved (no horizontal scroll bar, or at the end). */
    bool ScrollSideways(int delta);

signals:
    /** Text for the first pane of the status bar. */
    void statusTextChanged(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateBars();
    QSize total_{100, 100};
};

/** The grey of the panes' background, RGB(200, 200, 200). */
inline constexpr QRgb kPaneBackground = 0xFFC8C8C8;
