#pragma once

#include "core/cp932.h"
#include "core/uiport.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

/** A scripted UI port: each dialog call takes the next queued answer (values and OK/Cancel);
 *  a call without a queued answer fails the test by throwing. Records messages, questions and
 *  pointer moves. Text is measured as 8 x points/2 pixels per byte by default. */
class FakeUiPort : public IUiPort {
public:
    /** OK with Values, or, when Edit is set, OK with the shown values changed by Edit. */
    template <class V>
    struct Answer {
        bool Ok = true;
        V Values;
        std::function<void(V&)> Edit;
    };

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    /** Recorded whole in MessageTexts, and as CP932 in Messages beside the plain messages. */
    void ShowMessageText(const QString& text, MessageKind kind) override
    {
        MessageTexts.push_back(text);
        MessageKinds.push_back(kind);
        Messages.push_back(Cp932FromQString(text).Bytes);
    }
    void SetBusy(bool busy) override
    {
        BusyDepth += busy ? 1 : -1;
        if (busy)
            ++BusyCount;
    }
    bool AskYesNo(const std::string& text) override
    {
        Questions.push_back(text);
        return Take(YesNoAnswers, "AskYesNo");
    }
    bool RunSettingsDialog(SettingsDialogValues& v) override { return Run(SettingsAnswers, v, "settings"); }
    bool RunMapSizeDialog(MapSizeDialogValues& v) override { return Run(MapSizeAnswers, v, "map size"); }
    bool RunChipSizeDialog(ChipSizeDialogValues& v) override { return Run(ChipSizeAnswers, v, "chip size"); }
    bool RunEventDialog(EventDialogValues& v) override { return Run(EventAnswers, v, "event"); }
    bool RunTextDialog(TextDialogValues& v) override { return Run(TextAnswers, v, "text"); }
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override
    {
        FileRequests.push_back(request);
        return Take(FileAnswers, "file dialog");
    }
    void MovePointer(IntPoint mapPixel) override { PointerMoves.push_back(mapPixel); }
    IntSize MeasureText(const std::string& text, const std::string& face, int points) override
    {
        MeasuredFaces.push_back(face);
        return {static_cast<int>(text.size()) * points / 2, points + points / 3};
    }

    /** Every dialog opened sees the values the document filled in; kept here for checks. */
    std::vector<SettingsDialogValues> SettingsShown;
    std::vector<MapSizeDialogValues> MapSizeShown;
    std::vector<ChipSizeDialogValues> ChipSizeShown;
    std::vector<EventDialogValues> EventShown;
    std::vector<TextDialogValues> TextShown;

    std::deque<Answer<SettingsDialogValues>> SettingsAnswers;
    std::deque<Answer<MapSizeDialogValues>> MapSizeAnswers;
    std::deque<Answer<ChipSizeDialogValues>> ChipSizeAnswers;
    std::deque<Answer<EventDialogValues>> EventAnswers;
    std::deque<Answer<TextDialogValues>> TextAnswers;
    std::deque<bool> YesNoAnswers;
    std::deque<std::optional<std::string>> FileAnswers;

    std::vector<std::string> Messages;
    std::vector<QString> MessageTexts;
    std::vector<MessageKind> MessageKinds;
    int BusyDepth = 0;   ///< long work under way now
    int BusyCount = 0;   ///< long work begun so far
    std::vector<std::string> Questions;
    std::vector<FileDialogRequest> FileRequests;
    std::vector<IntPoint> PointerMoves;
    std::vector<std::string> MeasuredFaces;

private:
    template <class T>
    static T Take(std::deque<T>& queue, const char* what)
    {
        if (queue.empty())
            throw std::logic_error(std::string("unexpected ") + what + " call");
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    template <class V>
    bool Run(std::deque<Answer<V>>& queue, V& values, const char* what)
    {
        Shown(values).push_back(values);
        Answer<V> answer = Take(queue, what);
        if (answer.Ok) {
            if (answer.Edit)
                answer.Edit(values);
            else
                values = answer.Values;
        }
        return answer.Ok;
    }
    std::vector<SettingsDialogValues>& Shown(SettingsDialogValues&) { return SettingsShown; }
    std::vector<MapSizeDialogValues>& Shown(MapSizeDialogValues&) { return MapSizeShown; }
    std::vector<ChipSizeDialogValues>& Shown(ChipSizeDialogValues&) { return ChipSizeShown; }
    std::vector<EventDialogValues>& Shown(EventDialogValues&) { return EventShown; }
    std::vector<TextDialogValues>& Shown(TextDialogValues&) { return TextShown; }
};

/** Records every hint the document sends. */
#include "core/docobserver.h"
class HintRecorder : public IDocObserver {
public:
    void OnUpdate(IDocObserver*, int hint) override { Hints.push_back(hint); }
    std::vector<int> Hints;
};
