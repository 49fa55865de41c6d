#pragma once

#include <QColor>
#include <QFrame>

/** A bordered frame painted as one solid fill of its colour. */
class CColorSwatch : public QFrame {
public:
    explicit CColorSwatch(QWidget* parent = nullptr);
    void SetColor(const QColor& color);
    QColor Color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = Qt::black;
};

/** A colour reference (red in the low byte, then green, then blue) as a QColor. */
QColor ColorFromRef(uint32_t ref);
/** A QColor as a colour reference, top byte 0. */
uint32_t RefFromColor(const QColor& color);
