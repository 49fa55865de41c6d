#pragma once

#include "quelpdialog.h"

#include "core/dialogvalues.h"

#include <QColor>
#include <array>
#include <functional>
#include <optional>

class CColorSwatch;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

/** "各種設定": the map's settings properties and free attributes, and "以上を規定値にする". */
class COptionDlg : public CQuelpDialog {
public:
    explicit COptionDlg(const SettingsDialogValues& values, QWidget* parent = nullptr);
    const SettingsDialogValues& Values() const { return values_; }

    /** Opens the colour chooser on a colour; replaced in tests. */
    std::function<std::optional<QColor>(QWidget*, const QColor&)> ColorChooser;

    QLineEdit* BTypeEdit() const { return bType_; }
    QCheckBox* SaveEventCheck() const { return saveEvent_; }
    QComboBox* EventMapCombo() const { return eventMap_; }
    QCheckBox* SaveRemCheck() const { return saveRem_; }
    QComboBox* FontSizeCombo() const { return fontSize_; }
    CColorSwatch* Swatch() const { return swatch_; }
    QPushButton* ChangeColorButton() const { return changeColor_; }
    QCheckBox* SaveTextCheck() const { return saveText_; }
    QCheckBox* DefaultCheck() const { return makeDefault_; }
    QLineEdit* TextOptionEdit() const { return textOption_; }
    QLineEdit* IntOptionEdit(int i) const { return intOptions_[static_cast<size_t>(i)]; }

protected:
    bool Exchange() override;

private:
    void OnChangeColor();
    /** The box's text as CP932, or a refusal when it holds a character CP932 cannot hold. */
    std::optional<std::string> ReadCp932(QLineEdit* edit);

    SettingsDialogValues values_;
    QColor color_;
    QLineEdit* bType_;
    QCheckBox* saveEvent_;
    QComboBox* eventMap_;
    QCheckBox* saveRem_;
    QComboBox* fontSize_;
    CColorSwatch* swatch_;
    QPushButton* changeColor_;
    QCheckBox* saveText_;
    QCheckBox* makeDefault_;
    QLineEdit* textOption_;
    std::array<QLineEdit*, 4> intOptions_{};
};

/** The text shown for a character that CP932 cannot hold. */
QString UnmappableText(const std::u32string& characters);
