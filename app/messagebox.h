#pragma once

#include <QString>

class QWidget;

/** The program's message box: the text, an OK button, "Quelp" as the caption; the warning icon,
 *  as most messages tell of a failure. */
void ShowMessageBox(QWidget* parent, const QString& text);
/** The same with the information icon, for news that is good ("ファイルを保存しました。"). */
void ShowInformationBox(QWidget* parent, const QString& text);

/** A question with Yes and No; true for Yes. */
bool AskYesNoBox(QWidget* parent, const QString& text);

/** The fixed texts of the dialogs' number checks. */
QString NotIntegerText();
/** "%1 から %2 までの整数を入力してください。" with the two limits. */
QString IntegerRangeText(int low, int high);
