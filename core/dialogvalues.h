#pragma once

#include <cstdint>
#include <string>

// Values that the modal dialogs exchange with the document. The Qt dialogs in app/ and views/
// only show, validate and exchange these; the apply rules work on them without widgets.

/** The general settings dialog. */
struct SettingsDialogValues {
    std::string BType;             ///< binary extension, CP932
    int SaveEvent = 0;             ///< check state 0/1
    int SaveEventMap = 0;          ///< index of the chosen entry, -1 when none
    int SaveEventRem = 0;
    std::string FontSizeText;      ///< text of the editable size combo
    uint32_t Color = 0;            ///< colour reference
    int SaveText = 0;
    bool MakeDefault = false;      ///< "以上を規定値にする"
    std::string TextOption;        ///< CP932
    int IntOptions[4] = {0, 0, 0, 0};
};

/** The map size dialog, in cells (1..512). */
struct MapSizeDialogValues {
    int Columns = 0;
    int Rows = 0;
};

/** The chip size dialog: list indices of "16", "24", "32", -1 when no entry is chosen. */
struct ChipSizeDialogValues {
    int WidthIndex = 0;
    int HeightIndex = 0;
    bool MakeDefault = false;
};

/** A file dialog asked for by a document command. The filter has the form
 *  "Name (*.ext)|*.ext|...|" with CP932 names. */
struct FileDialogRequest {
    bool Open = true;
    std::string Title;          ///< empty: the platform's default title
    std::string Filter;
    std::string DefaultExt;     ///< without the dot; empty for none
    std::string InitialName;    ///< CP932 path or name, may be empty
};
