#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QDialogButtonBox;
class QLineEdit;

/** Base of the program's modal dialogs: OK runs the data exchange of the subclass, which may
 *  refuse a value with a message and keep the dialog open on the offending control. */
class CQuelpDialog : public QDialog {
public:
    explicit CQuelpDialog(QWidget* parent = nullptr);

    /** Where refusal messages go; a message box unless replaced (tests record them). */
    std::function<void(const QString&)> MessageSink;
    /** The last refusal message, empty when the last OK was accepted. */
    const QString& LastMessage() const { return lastMessage_; }

    void accept() override;

protected:
    /** Reads every control into the dialog's values; false when a value was refused. */
    virtual bool Exchange() = 0;

    /** The integer at the start of the box's text (blanks skipped, trailing text ignored,
     *  full-width digits and signs read as ASCII), or a refusal with "整数を入力してください。".
     *  Integer boxes tell the input method so with MarkIntegerField (views/intfield.h). */
    std::optional<int> ReadInt(QLineEdit* edit);
    /** ReadInt, then the range check with "%1 から %2 までの整数を入力してください。". */
    std::optional<int> ReadIntInRange(QLineEdit* edit, int low, int high);
    /** The "OK" and "キャンセル" buttons, wired to accept and reject. */
    QDialogButtonBox* MakeOkCancel();
    /** Shows a refusal and puts the focus on the control it concerns. */
    void Refuse(QWidget* control, const QString& text);

private:
    QString lastMessage_;
};
