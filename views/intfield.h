#pragma once

#include <QString>

class QLineEdit;

/** The text with full-width digits, signs (also U+2212 minus) and the ideographic space in
 *  their ASCII forms: what an input method types by default reads as a number. */
QString AsciiDigits(const QString& text);

/** Tells the input method that the box wants a number (a sign allowed). */
void MarkIntegerField(QLineEdit* edit);
