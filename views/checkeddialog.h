#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

class QLineEdit;

/** Base of the views' modal dialogs: OK reads every control through Exchange, which may refuse
 *  a value with a message and keep the dialog open on the offending control. */
class CCheckedDialog : public QDialog {
public:
    explicit CCheckedDialog(QWidget* parent = nullptr) : QDialog(parent) {}

    /** Where refusal messages go; a message box unless replaced (tests record them). */
    std::function<void(const QString&)> MessageSink;

    void accept() override;

protected:
    virtual bool Exchange() = 0;

    /** The whole text of the box as an integer (blanks around it allowed, full-width digits and
     *  signs read as ASCII), or a refusal with "整数を入力してください。". */
    bool ReadInt(QLineEdit* edit, int& value);
    /** Typed text as CP932 bytes, or a refusal naming the characters CP932 cannot hold. */
    bool ReadCp932(QWidget* control, const QString& text, std::string& bytes);
    void Refuse(QWidget* control, const QString& text);
};

/** The message shown for characters that CP932 cannot hold, naming them. */
QString UnmappableMessage(const std::u32string& characters);
