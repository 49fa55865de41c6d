#pragma once

#include "support/fakeuiport.h"

#include "app/mainframe.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

/** A frame on a new map with an in-memory store, a scripted UI port and a map file stand-in
 *  that records what was read and written. */
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        frame = std::make_unique<CMainFrame>(doc, store);
        MapFileIo& io = frame->Files().Io();
        io.Load = [this](CQuelpDoc& d, const std::string& path, std::string& error,
                         MapLoadReport& report) {
            loads.push_back(path);
            busyDuringIo.push_back(ui.BusyDepth);
            // As the real reader and writer say it: the file, then the reason.
            if (!loadError.empty()) {
                error = path + ": " + loadError;
                report.NotAMap = loadNotAMap;
                return false;
            }
            report.UnreadSheets = unreadSheets;
            d.OnNewDocument();
            d.TextOption = "read";  // tells a read map from a new one
            d.PathName = path;
            return true;
        };
        io.Save = [this](CQuelpDoc&, const std::string& path, std::string& error) {
            saves.push_back(path);
            busyDuringIo.push_back(ui.BusyDepth);
            if (!saveError.empty()) {
                error = path + ": " + saveError;
                return false;
            }
            return true;
        };
        FileCommandHooks& hooks = frame->Files().Hooks();
        hooks.AskSave = [this](const QString& question) {
            questions.push_back(question);
            EXPECT_FALSE(saveAnswers.empty()) << "unexpected save question";
            if (saveAnswers.empty())
                return SaveAnswer::Cancel;
            const SaveAnswer answer = saveAnswers.front();
            saveAnswers.erase(saveAnswers.begin());
            return answer;
        };
        hooks.ChooseOpenPath = [this] { return openPath; };
        hooks.ChooseSavePath = [this](const QString& initial) {
            saveInitialNames.push_back(initial);
            return savePath;
        };
        hooks.Activate = [this] { ++activations; };
    }

    /** Marks the map modified as an edit would. */
    void Modify()
    {
        doc.SetModifiedFlag(true);
        doc.UpdateAllViews(nullptr, 2);
    }

    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    std::unique_ptr<CMainFrame> frame;

    std::vector<std::string> loads;
    std::vector<std::string> saves;
    std::string loadError;
    bool loadNotAMap = false;
    std::vector<UnreadSheet> unreadSheets;  ///< what a successful read reports
    std::vector<int> busyDuringIo;  ///< the UI port's busy depth at each read and write
    std::string saveError;
    std::vector<QString> questions;
    std::vector<SaveAnswer> saveAnswers;
    QString openPath;
    QString savePath;
    std::vector<QString> saveInitialNames;
    int activations = 0;
};
