#pragma once

#include "checkeddialog.h"

#include "edit/layeroptions.h"

#include <QStringList>

class QComboBox;
class QLineEdit;

/** "レイヤー設定": the layer's name, chip page and the two properties of the binary export.
 *  The boxes are plain drop-down lists, so every value stays in its range. */
class CLayerOptionDlg : public CCheckedDialog {
    Q_OBJECT

public:
    /** pageNames: the eight page names in page order. */
    CLayerOptionDlg(const QStringList& pageNames, QWidget* parent = nullptr);

    void SetValues(const LayerOptionDialogValues& values);
    const LayerOptionDialogValues& Values() const { return values_; }

    QLineEdit* NameEdit() const { return name_; }
    QComboBox* PageBox() const { return page_; }
    QComboBox* SaveTypeBox() const { return saveType_; }
    QComboBox* DataSizeBox() const { return dataSize_; }

protected:
    bool Exchange() override;

private:
    LayerOptionDialogValues values_;
    QLineEdit* name_;
    QComboBox* page_;
    QComboBox* saveType_;
    QComboBox* dataSize_;
};
