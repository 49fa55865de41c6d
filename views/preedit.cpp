#include "preedit.h"

#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QPainter>
#include <QTextCharFormat>
#include <algorithm>

void PreeditText::Clear()
{
    text_.clear();
    cursor_ = 0;
    cursorVisible_ = true;
    formats_.clear();
}

void PreeditText::Take(const QInputMethodEvent& event)
{
    Clear();
    text_ = event.preeditString();
    // Without a Cursor attribute the caret stands at the end, as in a line edit.
    cursor_ = static_cast<int>(text_.size());
    const int length = static_cast<int>(text_.size());
    for (const QInputMethodEvent::Attribute& a : event.attributes()) {
        if (a.type == QInputMethodEvent::Cursor) {
            cursor_ = std::clamp(a.start, 0, length);
            cursorVisible_ = a.length != 0;
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = a.value.value<QTextFormat>().toCharFormat();
            const int start = std::clamp(a.start, 0, length);
            const int end = std::clamp(a.start + a.length, start, length);
            if (format.isValid() && end > start)
                formats_.append({start, end - start, format});
        }
    }
}

qreal PreeditText::CaretOffset(const QFont& font) const
{
    return QFontMetricsF(font).horizontalAdvance(text_.left(cursor_));
}

void PreeditText::Draw(QPainter& painter, QPointF topLeft, const QFont& font, QColor color) const
{
    if (text_.isEmpty())
        return;
    QTextCharFormat base;
    base.setForeground(color);
    base.setFontUnderline(true);
    // Each character gets the base format with the input method's formats over it, so that
    // the layout sees ranges that do not overlap.
    QList<QTextLayout::FormatRange> formats;
    for (int i = 0; i < text_.size(); ++i) {
        QTextCharFormat format = base;
        for (const QTextLayout::FormatRange& range : formats_)
            if (i >= range.start && i < range.start + range.length)
                format.merge(range.format);
        if (!formats.isEmpty() && formats.back().format == format)
            ++formats.back().length;
        else
            formats.append({i, 1, format});
    }
    QTextLayout layout(text_, font);
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(static_cast<int>(text_.size()));
    layout.endLayout();
    painter.save();
    painter.setPen(color);
    layout.draw(&painter, topLeft);
    painter.restore();
}
