#pragma once

#include "mapfile/mapfilereader.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class CQuelpDoc;
class CRecentFileList;

enum class SaveAnswer { Yes, No, Cancel };

/** The user side of the file commands; the frame fills it with real dialogs, tests script it. */
struct FileCommandHooks {
    /** "%1 への変更を保存しますか?" with Yes, No and Cancel. */
    std::function<SaveAnswer(const QString& question)> AskSave;
    /** The open dialog "開く"; an empty path on cancel. */
    std::function<QString()> ChooseOpenPath;
    /** The dialog "名前を付けて保存" starting on a name; an empty path on cancel. */
    std::function<QString(const QString& initialName)> ChooseSavePath;
    /** Brings the main window to the front. */
    std::function<void()> Activate;
};

/** What a read tells beyond success: the file was no map (the document was left as it was), or
 *  sheets the opened map names could not be read. */
struct MapLoadReport {
    bool NotAMap = false;
    std::vector<UnreadSheet> UnreadSheets;
};

/** Reading and writing the map file: true on success, else error holds the file and the reason
 *  (UTF-8, "<path>: <reason>"). Paths are CP932 bytes as the document holds them. */
struct MapFileIo {
    std::function<bool(CQuelpDoc&, const std::string& path, std::string& error,
                       MapLoadReport& report)>
        Load;
    std::function<bool(CQuelpDoc&, const std::string& path, std::string& error)> Save;
};

/** New, Open, Save, Save As, the recent files and the save question of the single document. */
class CFileCommands {
public:
    CFileCommands(CQuelpDoc& doc, CRecentFileList& recent, FileCommandHooks hooks, MapFileIo io);

    FileCommandHooks& Hooks() { return hooks_; }
    MapFileIo& Io() { return io_; }

    /** The save question when the map is modified; false when the user cancelled or the save
     *  failed, so the caller stops. */
    bool SaveModified();
    /** 57600: the save question, then the new-map reset and the initial update. */
    bool OnFileNew();
    /** 57601: the open dialog, then OpenDocumentFile. */
    bool OnFileOpen();
    /** Opens a map by its local path: the map already open only activates the window; else the
     *  save question, the read, the initial update, the recent-file list and the list of sheets
     *  that could not be read. A file that is no map or cannot be read is reported and leaves
     *  the open map, its name and the recent files as they were. */
    bool OpenDocumentFile(const QString& localPath);
    /** 57603: writes to the map's path, or Save As for a map without one. */
    bool OnFileSave();
    /** 57604: asks for a name, then writes. */
    bool OnFileSaveAs();
    /** 57616..57619: opens a recent file; an entry that cannot be opened leaves the list. */
    bool OnOpenRecentFile(int index);

    /** The question asked before the map is replaced. */
    QString SaveQuestion() const;

    /** Called after the map was saved, or replaced by New or Open: nothing is left unsaved. */
    std::function<void()> DocumentClean;

private:
    enum class OpenResult { Opened, Cancelled, Failed };
    OpenResult Open(const QString& localPath);
    bool DoSave(const QString& localPath);
    void ShowMessage(const QString& text);
    void TellUnreadSheets(const std::vector<UnreadSheet>& sheets);

    CQuelpDoc& doc_;
    CRecentFileList& recent_;
    FileCommandHooks hooks_;
    MapFileIo io_;
};
