#include "intfield.h"

#include <QLineEdit>

QString AsciiDigits(const QString& text)
{
    QString ascii = text;
    // ０-９ U+FF10-FF19, － U+FF0D, ＋ U+FF0B.
    for (QChar& c : ascii) {
        const char16_t u = c.unicode();
        if (u >= u'\uFF10' && u <= u'\uFF19')
            c = QChar(u'0' + (u - u'\uFF10'));
        else if (u == u'\uFF0D' || u == u'\u2212')
            c = QLatin1Char('-');
        else if (u == u'\uFF0B')
            c = QLatin1Char('+');
        else if (u == u'\u3000')
            c = QLatin1Char(' ');
    }
    return ascii;
}

void MarkIntegerField(QLineEdit* edit)
{
    // Digits only would keep a virtual keyboard from offering the sign the fields accept.
    edit->setInputMethodHints(edit->inputMethodHints() | Qt::ImhPreferNumbers
                              | Qt::ImhFormattedNumbersOnly);
}
