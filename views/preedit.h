#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>

class QInputMethodEvent;
class QPainter;

/** The composition an input method shows before it commits: its text, where its caret stands
 *  and the formats it gives to parts of it (the clause being converted, for example). */
class PreeditText {
public:
    bool IsEmpty() const { return text_.isEmpty(); }
    const QString& Text() const { return text_; }
    /** Caret position in characters of the text. */
    int Cursor() const { return cursor_; }
    bool CursorVisible() const { return cursorVisible_; }

    void Clear();
    /** Takes the preedit string and its Cursor and TextFormat attributes from an event. */
    void Take(const QInputMethodEvent& event);

    /** Pixels from the start of the text to the caret, in that font. */
    qreal CaretOffset(const QFont& font) const;
    /** Draws the text with its top-left at topLeft, in the font and colour, underlined, with the
     *  input method's formats over that. */
    void Draw(QPainter& painter, QPointF topLeft, const QFont& font, QColor color) const;

private:
    QString text_;
    int cursor_ = 0;
    bool cursorVisible_ = true;
    QList<QTextLayout::FormatRange> formats_;
};
