#pragma once

#include "core/eventdata.h"

#include "checkeddialog.h"

class IUiPort;
class QLineEdit;

/** "移動先・イベント設定": event number, destination map name and position, remark and two
 *  integer options. Integers are checked on OK; strings must fit CP932. */
class CEventDlg : public CCheckedDialog {
    Q_OBJECT

public:
    /** browser, when given, runs the file dialog of "参照"; otherwise a plain Qt file dialog. */
    explicit CEventDlg(QWidget* parent = nullptr, IUiPort* browser = nullptr);

    void SetValues(const EventDialogValues& values);
    /** The values read back after OK. */
    const EventDialogValues& Values() const { return values_; }

    /** Shows the dialog modally filled with values; true on OK with values read back. */
    static bool Run(EventDialogValues& values, QWidget* parent, IUiPort* browser = nullptr);

    /** "参照": an open dialog for map files; the chosen path replaces the map name. */
    void Browse();

    QLineEdit* TypeEdit() const { return type_; }
    QLineEdit* MapEdit() const { return map_; }
    QLineEdit* XEdit() const { return x_; }
    QLineEdit* YEdit() const { return y_; }
    QLineEdit* RemEdit() const { return rem_; }
    QLineEdit* Option1Edit() const { return option1_; }
    QLineEdit* Option2Edit() const { return option2_; }

protected:
    bool Exchange() override;

private:
    IUiPort* browser_;
    EventDialogValues values_;
    QLineEdit* type_;
    QLineEdit* map_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* rem_;
    QLineEdit* option1_;
    QLineEdit* option2_;
};
