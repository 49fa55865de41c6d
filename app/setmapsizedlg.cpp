#include "setmapsizedlg.h"

#include "views/intfield.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kMinCells = 1;
constexpr int kMaxCells = 512;
}  // namespace

CSetMapSizeDlg::CSetMapSizeDlg(const MapSizeDialogValues& values, QWidget* parent)
    : CQuelpDialog(parent), values_(values)
{
    setWindowTitle(QString::fromUtf8("マップサイズ設定"));
    columns_ = new QLineEdit(QString::number(values.Columns), this);
    rows_ = new QLineEdit(QString::number(values.Rows), this);
    columns_->setObjectName(QStringLiteral("columns"));
    rows_->setObjectName(QStringLiteral("rows"));
    MarkIntegerField(columns_);
    MarkIntegerField(rows_);

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("列数"), columns_);
    form->addRow(QString::fromUtf8("行数"), rows_);

    // The note names the limit the dialog enforces.
    auto* note = new QLabel(QString::fromUtf8("列数、行数とも最大５１２まで"), this);
    auto* buttons = MakeOkCancel();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    columns_->setFocus();
    columns_->selectAll();
}

bool CSetMapSizeDlg::Exchange()
{
    const std::optional<int> columns = ReadIntInRange(columns_, kMinCells, kMaxCells);
    if (!columns)
        return false;
    const std::optional<int> rows = ReadIntInRange(rows_, kMinCells, kMaxCells);
    if (!rows)
        return false;
    values_.Columns = *columns;
    values_.Rows = *rows;
    return true;
}
