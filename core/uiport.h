#pragma once

#include "dialogvalues.h"
#include "eventdata.h"
#include "geometry.h"
#include "memo.h"

#include <QString>
#include <optional>
#include <string>

/** What a message box tells: the icon it shows. */
enum class MessageKind { Information, Warning };

/** Everything a document operation needs from the user or the screen. The program implements
 *  it with real Qt dialogs; tests with a scripted fake. All strings are CP932 bytes. */
class IUiPort {
public:
    virtual ~IUiPort() = default;

    /** A message box with an OK button. */
    virtual void ShowMessage(const std::string& text) = 0;
    /** A message box with an OK button for a text that may name files or characters CP932
     *  cannot hold, so it travels as Unicode. By default converted for ShowMessage. */
    virtual void ShowMessageText(const QString& text, MessageKind kind);
    /** A question with Yes and No buttons; true for Yes. */
    virtual bool AskYesNo(const std::string& text) = 0;

    // Modal dialogs: filled by the caller, true on OK with the values read back.
    virtual bool RunSettingsDialog(SettingsDialogValues& values) = 0;
    virtual bool RunMapSizeDialog(MapSizeDialogValues& values) = 0;
    virtual bool RunChipSizeDialog(ChipSizeDialogValues& values) = 0;
    virtual bool RunEventDialog(EventDialogValues& values) = 0;
    virtual bool RunTextDialog(TextDialogValues& values) = 0;
    /** The chosen full path (CP932), or nothing on cancel. */
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;

    /** Moves the mouse pointer onto a map pixel at the current zoom (the map view's space). */
    virtual void MovePointer(IntPoint mapPixel) = 0;
    /** Pixel extent of one line of text in the map's font face at a size in points, at the
     *  screen's dots per inch. */
    virtual IntSize MeasureText(const std::string& text, const std::string& face, int points) = 0;

    /** Long work begins (true) or ends (false): the window repaints, then shows a busy cursor
     *  until the matching end. Calls nest. By default nothing is shown. */
    virtual void SetBusy(bool busy);
};

/** Marks the work of its lifetime as long (IUiPort::SetBusy). */
class CBusyScope {
public:
    explicit CBusyScope(IUiPort& ui) : ui_(ui) { ui_.SetBusy(true); }
    ~CBusyScope() { ui_.SetBusy(false); }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    IUiPort& ui_;
};

/** Shows the out-of-memory message and ends the program with exit status 2. */
[[noreturn]] void FatalOutOfMemory(IUiPort& ui, const std::string& message);
