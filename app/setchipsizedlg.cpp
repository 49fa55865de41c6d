#include "setchipsizedlg.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QComboBox* MakeSizeCombo(QWidget* parent, int index)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({QStringLiteral("16"), QStringLiteral("24"), QStringLiteral("32")});
    // An index outside the list (a size taken from a map file) shows no entry.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    if (combo->currentIndex() < 0)
        combo->setEditText(QString());
    return combo;
}

/** The list entry the combo shows, or -1 when its text names none. */
int SelectedIndex(const QComboBox* combo)
{
    return combo->findText(combo->currentText(), Qt::MatchExactly);
}
}  // namespace

CSetChipSizeDlg::CSetChipSizeDlg(const ChipSizeDialogValues& values, QWidget* parent)
    : CQuelpDialog(parent), values_(values)
{
    setWindowTitle(QString::fromUtf8("チップサイズ変更"));
    width_ = MakeSizeCombo(this, values.WidthIndex);
    height_ = MakeSizeCombo(this, values.HeightIndex);
    default_ = new QCheckBox(QString::fromUtf8("規定値にする"), this);
    default_->setChecked(values.MakeDefault);

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("幅"), width_);
    form->addRow(QString::fromUtf8("高さ"), height_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(default_);
    layout->addWidget(MakeOkCancel());
}

bool CSetChipSizeDlg::Exchange()
{
    values_.WidthIndex = SelectedIndex(width_);
    values_.HeightIndex = SelectedIndex(height_);
    values_.MakeDefault = default_->isChecked();
    return true;
}
