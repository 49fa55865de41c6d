#include "messagebox.h"

#include <QMessageBox>

namespace {
void Show(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, QStringLiteral("Quelp"), text, QMessageBox::Ok, parent);
    box.exec();
}
}  // namespace

void ShowMessageBox(QWidget* parent, const QString& text)
{
    Show(parent, text, QMessageBox::Warning);
}

void ShowInformationBox(QWidget* parent, const QString& text)
{
    Show(parent, text, QMessageBox::Information);
}

bool AskYesNoBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quelp"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString NotIntegerText()
{
    return QString::fromUtf8("整数を入力してください。");
}

QString IntegerRangeText(int low, int high)
{
    return QString::fromUtf8("%1 から %2 までの整数を入力してください。").arg(low).arg(high);
}
