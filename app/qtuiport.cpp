#include "qtuiport.h"

#include "filedlgex.h"
#include "messagebox.h"
#include "optiondlg.h"
#include "setchipsizedlg.h"
#include "setmapsizedlg.h"

#include "core/cp932.h"
#include "render/mapfont.h"
#include "views/checkeddialog.h"
#include "views/eventdlg.h"
#include "views/textstatusdlg.h"

#include <QApplication>
#include <QCursor>

void QtUiPort::ShowMessage(const std::string& text)
{
    ShowMessageBox(parent_, QStringFromCp932(text));
}

void QtUiPort::ShowMessageText(const QString& text, MessageKind kind)
{
    if (kind == MessageKind::Information)
        ShowInformationBox(parent_, text);
    else
        ShowMessageBox(parent_, text);
}

bool QtUiPort::AskYesNo(const std::string& text)
{
    return AskYesNoBox(parent_, QStringFromCp932(text));
}

bool QtUiPort::RunSettingsDialog(SettingsDialogValues& values)
{
    COptionDlg dialog(values, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool QtUiPort::RunMapSizeDialog(MapSizeDialogValues& values)
{
    CSetMapSizeDlg dialog(values, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool QtUiPort::RunChipSizeDialog(ChipSizeDialogValues& values)
{
    CSetChipSizeDlg dialog(values, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool QtUiPort::RunEventDialog(EventDialogValues& values)
{
    return CEventDlg::Run(values, parent_, this);
}

bool QtUiPort::RunTextDialog(TextDialogValues& values)
{
    return CTextStatusDlg::Run(values, parent_);
}

std::optional<std::string> QtUiPort::RunFileDialog(const FileDialogRequest& request)
{
    CFileDlgEx dialog(request.Open, QStringFromCp932(request.DefaultExt),
                      QString::fromStdString(LocalPathFromCp932(request.InitialName)),
                      QStringFromCp932(request.Filter), parent_);
    if (!request.Title.empty())
        dialog.setWindowTitle(QStringFromCp932(request.Title));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString path = dialog.PathName();
    if (path.isEmpty())
        return std::nullopt;
    const Cp932Result bytes = Cp932FromLocalPath(path.toStdString());
    if (!bytes.Ok()) {
        ShowMessageBox(parent_, QString::fromUtf8("次のファイル名は使えません。\n%1: %2")
                                    .arg(path, UnmappableMessage(bytes.Unmappable)));
        return std::nullopt;
    }
    return bytes.Bytes;
}

void QtUiPort::MovePointer(IntPoint mapPixel)
{
    if (!MapPixelToGlobal)
        return;
    if (const std::optional<QPoint> global = MapPixelToGlobal(mapPixel))
        QCursor::setPos(*global);
}

void QtUiPort::SetBusy(bool busy)
{
    if (!busy) {
        QApplication::restoreOverrideCursor();
        return;
    }
    // The closed dialog goes and the window repaints; clicks and keys wait until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

IntSize QtUiPort::MeasureText(const std::string& text, const std::string& face, int points)
{
    return MeasureMapText(text, face, points);
}
