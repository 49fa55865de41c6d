#include "printscaledlg.h"

#include "messagebox.h"

#include "views/intfield.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kMaxFreeScale = 100;
}  // namespace

QString PrintScaleMessage(int maximum)
{
    if (maximum < 2)
        return QString();
    return QString::fromUtf8("最大拡大率は%1倍です。").arg(maximum);
}

CPrintScaleDlg::CPrintScaleDlg(int maximum, QWidget* parent)
    : CQuelpDialog(parent), maximum_(maximum), message_(PrintScaleMessage(maximum))
{
    setWindowTitle(QString::fromUtf8("印刷拡大率設定"));
    fitCheck_ = new QCheckBox(QString::fromUtf8("用紙いっぱいに印刷する"), this);
    scaleEdit_ = new QLineEdit(QString::number(scale_), this);
    MarkIntegerField(scaleEdit_);
    messageLabel_ = new QLabel(message_, this);

    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(new QLabel(QString::fromUtf8("拡大率"), this));
    scaleRow->addWidget(scaleEdit_);
    scaleRow->addWidget(new QLabel(QString::fromUtf8("倍"), this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fitCheck_);
    layout->addLayout(scaleRow);
    layout->addWidget(messageLabel_);
    layout->addWidget(MakeOkCancel());

    // With nothing to choose the edit box starts disabled; the check box then rules it alone.
    scaleEdit_->setEnabled(maximum_ != 1);
    connect(fitCheck_, &QCheckBox::clicked, this,
            [this](bool checked) { scaleEdit_->setEnabled(!checked); });
}

bool CPrintScaleDlg::Exchange()
{
    const bool fit = fitCheck_->isChecked();
    const std::optional<int> scale = ReadInt(scaleEdit_);
    if (!scale)
        return false;
    if (maximum_ > 1 && !fit && (*scale < 1 || *scale > maximum_)) {
        Refuse(scaleEdit_, IntegerRangeText(1, maximum_));
        return false;
    }
    // Without a usable maximum a scale beyond the page is still allowed (the page clips it),
    // but a factor below 1 would print nothing or mirror the map, and a huge one would overflow.
    if (maximum_ <= 1 && !fit && (*scale < 1 || *scale > kMaxFreeScale)) {
        Refuse(scaleEdit_, IntegerRangeText(1, kMaxFreeScale));
        return false;
    }
    fitToPaper_ = fit;
    scale_ = *scale;
    message_ = PrintScaleMessage(maximum_);
    return true;
}
