#pragma once

#include "core/memo.h"

#include "checkeddialog.h"

class QComboBox;
class QFrame;
class QLineEdit;

/** "テキスト属性": the text, its size in points (an editable list; the typed string is the
 *  value) and its colour shown in a swatch and changed with "変更". */
class CTextStatusDlg : public CCheckedDialog {
    Q_OBJECT

public:
    explicit CTextStatusDlg(QWidget* parent = nullptr);

    void SetValues(const TextDialogValues& values);
    const TextDialogValues& Values() const { return values_; }
    /** The colour the swatch shows, as a colour reference (red in the low byte). */
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t colorRef);

    static bool Run(TextDialogValues& values, QWidget* parent);

    /** "変更": the colour chooser with the current colour preset. */
    void ChooseColor();

    QLineEdit* TextEdit() const { return text_; }
    QComboBox* SizeBox() const { return size_; }
    QFrame* Swatch() const { return swatch_; }

protected:
    bool Exchange() override;

private:
    TextDialogValues values_;
    uint32_t color_ = 0;
    QLineEdit* text_;
    QComboBox* size_;
    QFrame* swatch_;
};

/** The size entries of the list, sorted as text. */
QStringList TextSizeEntries();
