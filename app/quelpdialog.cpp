#include "quelpdialog.h"

#include "messagebox.h"

#include "core/decimal.h"
#include "views/intfield.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

CQuelpDialog::CQuelpDialog(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    MessageSink = [this](const QString& text) { ShowMessageBox(this, text); };
}

void CQuelpDialog::accept()
{
    lastMessage_.clear();
    if (Exchange())
        QDialog::accept();
}

std::optional<int> CQuelpDialog::ReadInt(QLineEdit* edit)
{
    const QByteArray text = AsciiDigits(edit->text()).toUtf8();
    const std::string_view view(text.constData(), static_cast<size_t>(text.size()));
    if (!HasDecimalPrefix(view)) {
        Refuse(edit, NotIntegerText());
        return std::nullopt;
    }
    return DecimalPrefix(view);
}

std::optional<int> CQuelpDialog::ReadIntInRange(QLineEdit* edit, int low, int high)
{
    const std::optional<int> value = ReadInt(edit);
    if (!value)
        return std::nullopt;
    if (*value < low || *value > high) {
        Refuse(edit, IntegerRangeText(low, high));
        return std::nullopt;
    }
    return value;
}

void CQuelpDialog::Refuse(QWidget* control, const QString& text)
{
    lastMessage_ = text;
    if (MessageSink)
        MessageSink(text);
    if (control) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->selectAll();
    }
}

QDialogButtonBox* CQuelpDialog::MakeOkCancel()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}
