#pragma once

#include "quelpdialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

/** "印刷拡大率設定": a whole print scale up to the maximum that fits, or fit to the paper. */
class CPrintScaleDlg : public CQuelpDialog {
public:
    /** maximum: the largest whole factor that fits the printable area. */
    explicit CPrintScaleDlg(int maximum, QWidget* parent = nullptr);

    int Maximum() const { return maximum_; }
    bool FitToPaper() const { return fitToPaper_; }
    int Scale() const { return scale_; }
    /** "最大拡大率は%d倍です。" with the maximum when it is 2 or more, else empty. */
    const QString& Message() const { return message_; }

    QCheckBox* FitCheck() const { return fitCheck_; }
    QLineEdit* ScaleEdit() const { return scaleEdit_; }

protected:
    bool Exchange() override;

private:
    int maximum_;
    bool fitToPaper_ = false;
    int scale_ = 1;
    QString message_;
    QCheckBox* fitCheck_;
    QLineEdit* scaleEdit_;
    QLabel* messageLabel_;
};

/** The message of the scale dialog for a maximum. */
QString PrintScaleMessage(int maximum);
