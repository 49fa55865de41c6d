#include "checkeddialog.h"

#include "intfield.h"

#include "core/cp932.h"

#include <QLineEdit>
#include <QMessageBox>

void CCheckedDialog::accept()
{
    if (Exchange())
        QDialog::accept();
}

void CCheckedDialog::Refuse(QWidget* control, const QString& text)
{
    if (MessageSink)
        MessageSink(text);
    else
        QMessageBox::warning(this, QStringLiteral("Quelp"), text);
    if (control)
        control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

bool CCheckedDialog::ReadInt(QLineEdit* edit, int& value)
{
    bool ok = false;
    const int parsed = AsciiDigits(edit->text()).trimmed().toInt(&ok);
    if (!ok) {
        Refuse(edit, QString::fromUtf8("整数を入力してください。"));
        return false;
    }
    value = parsed;
    return true;
}

bool CCheckedDialog::ReadCp932(QWidget* control, const QString& text, std::string& bytes)
{
    Cp932Result converted = Cp932FromQString(text);
    if (!converted.Ok()) {
        Refuse(control, UnmappableMessage(converted.Unmappable));
        return false;
    }
    bytes = std::move(converted.Bytes);
    return true;
}

QString UnmappableMessage(const std::u32string& characters)
{
    QString names;
    for (char32_t c : characters) {
        if (!names.isEmpty())
            names += QString::fromUtf8("、");
        names += QString::fromUcs4(&c, 1);
    }
    return QString::fromUtf8("次の文字はシフトJISで表せないため使えません: %1").arg(names);
}
