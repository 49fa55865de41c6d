#pragma once

#include "uiport.h"

/** A UI port for runs without a user (command line, benchmarks, generators, fuzzing): every
 *  dialog is cancelled, every question answered No, messages dropped, and text measured as
 *  half its point size per byte. Derive to report messages or measure text for real. */
class NullUiPort : public IUiPort {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    bool RunSettingsDialog(SettingsDialogValues&) override { return false; }
    bool RunMapSizeDialog(MapSizeDialogValues&) override { return false; }
    bool RunChipSizeDialog(ChipSizeDialogValues&) override { return false; }
    bool RunEventDialog(EventDialogValues&) override { return false; }
    bool RunTextDialog(TextDialogValues&) override { return false; }
    std::optional<std::string> RunFileDialog(const FileDialogRequest&) override { return {}; }
    void MovePointer(IntPoint) override {}
    IntSize MeasureText(const std::string& text, const std::string&, int points) override
    {
        return {static_cast<int>(text.size()) * points / 2, points};
    }
};
