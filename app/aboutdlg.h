#pragma once

#include <QDialog>

/** "バージョン情報 Quelp": the program icon, the version line and OK. */
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
