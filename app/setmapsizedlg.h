#pragma once

#include "quelpdialog.h"

#include "core/dialogvalues.h"

class QLineEdit;

/** "マップサイズ設定": columns and rows in cells, each 1..512. */
class CSetMapSizeDlg : public CQuelpDialog {
public:
    explicit CSetMapSizeDlg(const MapSizeDialogValues& values, QWidget* parent = nullptr);
    const MapSizeDialogValues& Values() const { return values_; }

    QLineEdit* ColumnsEdit() const { return columns_; }
    QLineEdit* RowsEdit() const { return rows_; }

protected:
    bool Exchange() override;

private:
    MapSizeDialogValues values_;
    QLineEdit* columns_;
    QLineEdit* rows_;
};
