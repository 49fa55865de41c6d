#pragma once

#include "scrollpane.h"

#include "core/docobserver.h"

#include <QImage>
#include <QPixmap>

class CQuelpDoc;

/** The chip palette: the current layer's chip page with a grid, the eraser and the two chosen
 *  chips; a release chooses the chip for that button. Reacts to hint bit 1. */
class CLeftView : public CScrollPane, public IDocObserver {
    Q_OBJECT

public:
    CLeftView(CQuelpDoc& doc, QWidget* parent = nullptr);
    ~CLeftView() override;

    void OnUpdate(IDocObserver* sender, int hint) override;
    /** The palette's own width: the whole scroll area beside a vertical scroll bar. */
    QSize sizeHint() const override;
    /** Scroll sizes from the document (96 x 96 on the events and texts tabs). */
    void RecalcScrollSizes();

protected:
    QSize WheelCell() const override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    /** The page's sheet drawn without a key, cached per image. */
    const QPixmap& SheetPixmap(const QImage& image);

    CQuelpDoc& doc_;
    qint64 sheetKey_ = 0;
    QPixmap sheet_;
};
