#pragma once

#include "quelpdialog.h"

#include "core/dialogvalues.h"

class QCheckBox;
class QComboBox;

/** "チップサイズ変更": width and height as indices of the lists "16", "24", "32" (-1 when the
 *  typed text names no entry), and "規定値にする". */
class CSetChipSizeDlg : public CQuelpDialog {
public:
    explicit CSetChipSizeDlg(const ChipSizeDialogValues& values, QWidget* parent = nullptr);
    const ChipSizeDialogValues& Values() const { return values_; }

    QComboBox* WidthCombo() const { return width_; }
    QComboBox* HeightCombo() const { return height_; }
    QCheckBox* DefaultCheck() const { return default_; }

protected:
    bool Exchange() override;

private:
    ChipSizeDialogValues values_;
    QComboBox* width_;
    QComboBox* height_;
    QCheckBox* default_;
};
