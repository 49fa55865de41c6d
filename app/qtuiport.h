#pragma once

#include "core/uiport.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

/** The UI port over real Qt dialogs and message boxes. */
class QtUiPort : public IUiPort {
public:
    /** The window the dialogs and messages belong to. */
    void SetParentWindow(QWidget* parent) { parent_ = parent; }

    /** The map view's mapping of a map pixel (current zoom) to a global screen point; set by
     *  the map view. Without it pointer moves are ignored. */
    std::function<std::optional<QPoint>(IntPoint mapPixel)> MapPixelToGlobal;

    void ShowMessage(const std::string& text) override;
    void ShowMessageText(const QString& text, MessageKind kind) override;
    bool AskYesNo(const std::string& text) override;
    bool RunSettingsDialog(SettingsDialogValues& values) override;
    bool RunMapSizeDialog(MapSizeDialogValues& values) override;
    bool RunChipSizeDialog(ChipSizeDialogValues& values) override;
    bool RunEventDialog(EventDialogValues& values) override;
    bool RunTextDialog(TextDialogValues& values) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
    void MovePointer(IntPoint mapPixel) override;
    IntSize MeasureText(const std::string& text, const std::string& face, int points) override;
    /** Lets the window repaint (a dialog just closed leaves no trace), then the wait cursor. */
    void SetBusy(bool busy) override;

private:
    QPointer<QWidget> parent_;
};
