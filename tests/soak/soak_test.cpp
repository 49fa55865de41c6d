// A long seeded run of the document's public operations, checked after every step against the
// reference model in soakmodel.h. Replay a failure with QUELP_SOAK_SEED=<seed>; QUELP_SOAK_STEPS
// sets the number of steps.

#include "soakmodel.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "core/settings.h"
#include "edit/celledit.h"
#include "edit/editcommands.h"
#include "edit/eventedit.h"
#include "edit/layeroptions.h"
#include "edit/tabselect.h"
#include "edit/textedit.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"
#include "render/chippages.h"
#include "render/viewcommands.h"
#include "support/fakeuiport.h"
#include "views/layermenu.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint64_t kDefaultSeed = 20240611;
constexpr int kDefaultSteps = 10000;
constexpr int kReloadEvery = 50;  // a save and reload into a second document every so many steps

uint64_t EnvNumber(const char* name, uint64_t fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    return std::strtoull(text, nullptr, 10);
}

IntRect Normalised(IntPoint a, IntPoint b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

bool Contains(const IntRect& r, IntPoint p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

class SoakRun {
public:
    explicit SoakRun(uint64_t seed) : rng_(seed) {}

    void SetUp()
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path().toStdString() + "/";
        ChipWidth = 16;
        ChipHeight = 16;
        doc_.Columns = 12;
        doc_.Rows = 9;
        doc_.OnNewDocument();
        model_.Reset(12, 9);
        // Two small sheets give the layers pages of 8 and 9 chips.
        LoadSheet(0, "tiles.png", 64, 32);
        LoadSheet(3, "more.png", 48, 48);
    }

    void Step(int step)
    {
        using Op = void (SoakRun::*)();
        struct Weighted {
            const char* Name;
            Op Run;
            int Weight;
        };
        static const std::vector<Weighted> ops = {
            {"paint", &SoakRun::Paint, 30},         {"select", &SoakRun::Select, 10},
            {"copy", &SoakRun::Copy, 6},            {"cut", &SoakRun::Cut, 5},
            {"drag block", &SoakRun::DragBlock, 8}, {"paste", &SoakRun::Paste, 8},
            {"esc", &SoakRun::Esc, 4},              {"undo", &SoakRun::UndoStep, 14},
            {"swap layers", &SoakRun::Swap, 3},     {"resize", &SoakRun::Resize, 2},
            {"tab", &SoakRun::Tab, 4},              {"zoom", &SoakRun::Zoom, 2},
            {"place event", &SoakRun::PlaceEventStep, 3},
            {"edit event", &SoakRun::EditEventStep, 1},
            {"delete event", &SoakRun::DeleteEventStep, 1},
            {"type text", &SoakRun::TypeText, 3},   {"edit text", &SoakRun::EditTextStep, 1},
            {"delete text", &SoakRun::DeleteTextStep, 1},
            {"move or copy text", &SoakRun::FloatText, 2},
            {"layer settings", &SoakRun::LayerSettings, 2},
            {"settings", &SoakRun::Settings, 1},    {"toggle shown", &SoakRun::ToggleShown, 1},
            {"save and reload", &SoakRun::SaveAndReload, 1},
            {"paste after undo", &SoakRun::PasteAfterUndo, 1},
        };
        static const int total = [] {
            int sum = 0;
            for (const Weighted& op : ops)
                sum += op.Weight;
            return sum;
        }();
        int pick = Rand(0, total - 1);
        const Weighted* chosen = &ops.front();
        for (const Weighted& op : ops) {
            if (pick < op.Weight) {
                chosen = &op;
                break;
            }
            pick -= op.Weight;
        }
        SCOPED_TRACE(std::string("step ") + std::to_string(step) + ": " + chosen->Name);
        ++counts_[chosen->Name];
        (this->*chosen->Run)();
        if (::testing::Test::HasFatalFailure())
            return;
        ExpectDialogsUsed();
        CheckInvariants();
        if (step % kReloadEvery == kReloadEvery - 1) {
            SCOPED_TRACE("save and reload check");
            SaveAndCompare(false);
            CheckInvariants();
        }
    }

    std::string Counts() const
    {
        std::string out;
        for (const auto& [name, count] : counts_)
            out += name + "=" + std::to_string(count) + " ";
        return out;
    }

private:
    // --- random choices ---
    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Rand(0, 99) < percent; }

    int MapPixelWidth() const { return model_.Columns * ChipWidth * model_.Zoom / 4; }
    int MapPixelHeight() const { return model_.Rows * ChipHeight * model_.Zoom / 4; }

    /** A map pixel at the current zoom, sometimes beyond the map's edges. */
    IntPoint AnyPixel()
    {
        return {Rand(-24, MapPixelWidth() + 24), Rand(-24, MapPixelHeight() + 24)};
    }
    IntPoint PixelOnMap()
    {
        return {Rand(0, std::max(MapPixelWidth() - 1, 0)),
                Rand(0, std::max(MapPixelHeight() - 1, 0))};
    }

    int16_t PickChip()
    {
        const int kind = Rand(0, 99);
        if (kind < 15)
            return -1;
        if (kind < 85)
            return static_cast<int16_t>(Rand(0, 8));
        if (kind < 95)
            return static_cast<int16_t>(Rand(9, 300));
        return static_cast<int16_t>(Rand(-32768, 32767));
    }

    /** Text that the map file gives back as it was: no blanks, no tag brackets, and single
     *  bytes only in lower case so that no key of the file can appear in it. Double-byte
     *  characters include trail bytes 0x5C. */
    std::string Word(int maxChars, bool allowEmpty = true)
    {
        static const std::vector<std::string> pieces = {
            "a", "b", "k", "m", "z", "0", "7", "_", ".", "-", "=", ",", "/", "\\",
            Cp932("地"), Cp932("面"), Cp932("表"), Cp932("ソ"), Cp932("能"), Cp932("ｱ"),
        };
        const int n = Rand(allowEmpty ? 0 : 1, maxChars);
        std::string out;
        for (int i = 0; i < n; ++i)
            out += pieces[Rand(0, static_cast<int>(pieces.size()) - 1)];
        return out;
    }

    // --- model arithmetic, written from the rules rather than taken from the code ---
    int CellCoord(int pixel, int chip, int count) const
    {
        const int cell = static_cast<int>(pixel * 4.0 / (model_.Zoom * chip));
        return std::clamp(cell, 0, count - 1);
    }
    IntPoint CellAt(IntPoint p) const
    {
        return {CellCoord(p.X, ChipWidth, model_.Columns), CellCoord(p.Y, ChipHeight, model_.Rows)};
    }

    /** The floating block's or text's outline in map pixels at the current zoom. */
    IntRect FloatingOutline() const
    {
        IntRect r;
        if (model_.Mode == 3 || model_.Mode == 4) {
            const IntRect& t = model_.Texts.at(model_.MovingText).Rect;
            r = {model_.PastePos.X, model_.PastePos.Y, model_.PastePos.X + (t.Right - t.Left),
                 model_.PastePos.Y + (t.Bottom - t.Top)};
        } else {
            const IntRect& s = model_.Selection;
            const IntPoint p = model_.PastePos;
            r = {p.X * ChipWidth, p.Y * ChipHeight, (p.X + s.Right - s.Left + 1) * ChipWidth,
                 (p.Y + s.Bottom - s.Top + 1) * ChipHeight};
        }
        const double scale = 4.0 / model_.Zoom;
        return {static_cast<int>(r.Left / scale), static_cast<int>(r.Top / scale),
                static_cast<int>(r.Right / scale), static_cast<int>(r.Bottom / scale)};
    }

    IntSize Measure(const std::string& text, int points) const
    {
        // The scripted port's measure.
        return {static_cast<int>(text.size()) * points / 2, points + points / 3};
    }

    // --- shared steps ---
    void GoToTab(int tab)
    {
        SelectLayer(doc_, tab);
        model_.Typed.clear();
        model_.DropSelection();
        model_.Tab = tab;
        model_.Mode = 0;
    }
    void GoToLayerTab()
    {
        if (model_.Tab >= kEventsTab)
            GoToTab(Rand(0, 7));
    }
    void SetMode(int mode)
    {
        if (mode == 0)
            SetNormalMode(doc_);
        else if (mode == 1)
            SetLayerSelectMode(doc_);
        else
            SetAllLayerSelectMode(doc_);
        model_.Typed.clear();
        model_.Mode = mode;
        model_.DropSelection();
    }

    /** A left or right press, moves and a release on a layer tab in a selection mode. */
    void BlockGesture(int button, IntPoint press, const std::vector<IntPoint>& moves,
                      IntPoint release)
    {
        const bool captured = ButtonPress(doc_, button, press.X, press.Y);
        if (button == 2) {
            EXPECT_FALSE(captured) << "the right button does nothing in a selection mode";
            return;
        }
        ASSERT_TRUE(captured);
        IntPoint anchorCell;
        IntPoint anchorPixel;
        if (model_.Phase == 2) {
            const IntRect outline = FloatingOutline();
            if (Contains(outline, press))
                anchorPixel = {(outline.Left + outline.Right) / 2,
                               (outline.Top + outline.Bottom) / 2};
            else
                model_.Phase = 0;
        }
        if (model_.Phase < 2) {
            model_.Phase = 0;
            anchorCell = CellAt(press);
        }
        for (const IntPoint& p : moves) {
            PointerMove(doc_, p.X, p.Y);
            if (model_.Phase != 2)
                continue;
            const IntRect& s = model_.Selection;
            const int dx = static_cast<int>((p.X - anchorPixel.X) * 4.0 /
                                            (model_.Zoom * ChipWidth) + 0.5);
            const int dy = static_cast<int>((p.Y - anchorPixel.Y) * 4.0 /
                                            (model_.Zoom * ChipHeight) + 0.5);
            const IntPoint candidate{s.Left + dx, s.Top + dy};
            if (candidate.X >= 0 && candidate.X + (s.Right - s.Left) < model_.Columns &&
                candidate.Y >= 0 && candidate.Y + (s.Bottom - s.Top) < model_.Rows)
                model_.PastePos = candidate;
        }
        ButtonRelease(doc_, release.X, release.Y);
        if (model_.Phase < 2) {
            model_.Selection = Normalised(anchorCell, CellAt(release));
            model_.PastePos = {model_.Selection.Left, model_.Selection.Top};
            model_.Phase = 1;
        } else {
            IntRect& s = model_.Selection;
            s = {model_.PastePos.X, model_.PastePos.Y, model_.PastePos.X + (s.Right - s.Left),
                 model_.PastePos.Y + (s.Bottom - s.Top)};
        }
    }

    std::vector<IntPoint> SomeMoves(int most)
    {
        std::vector<IntPoint> moves(static_cast<size_t>(Rand(0, most)));
        for (IntPoint& p : moves)
            p = AnyPixel();
        return moves;
    }

    void CompleteTextModel()
    {
        if (model_.Mode == 4) {
            model_.Texts.push_back(model_.Texts.at(model_.MovingText));
            model_.MovingText = static_cast<int>(model_.Texts.size()) - 1;
        }
        IntRect& r = model_.Texts.at(model_.MovingText).Rect;
        r = {model_.PastePos.X, model_.PastePos.Y, model_.PastePos.X + (r.Right - r.Left),
             model_.PastePos.Y + (r.Bottom - r.Top)};
        model_.Mode = 0;
        model_.DropSelection();
    }

    // --- operations ---
    void Paint() { PaintOn(-1, false); }

    /** A stroke on a layer position (-1: the current or a random layer tab); with chip, never
     *  the empty chip. */
    void PaintOn(int position, bool chip)
    {
        if (position >= 0 && model_.Tab != position)
            GoToTab(position);
        GoToLayerTab();
        if (model_.Mode != 0)
            SetMode(0);
        position = model_.Tab;
        CChipPage& page = doc_.ChipPages[doc_.Layers[position].ChipPage];
        page.LeftChip = chip ? static_cast<int16_t>(Rand(0, 8)) : PickChip();  // as the palette
        page.RightChip = chip ? static_cast<int16_t>(Rand(0, 8)) : PickChip();
        const int button = Chance(75) ? 1 : 2;
        const IntPoint press = AnyPixel();
        const IntPoint release = AnyPixel();
        ASSERT_TRUE(ButtonPress(doc_, button, press.X, press.Y));
        for (const IntPoint& p : SomeMoves(3))
            PointerMove(doc_, p.X, p.Y);
        ButtonRelease(doc_, release.X, release.Y);
        model_.Paint(model_.IdAt[position], Normalised(CellAt(press), CellAt(release)),
                     button == 2 ? page.RightChip : page.LeftChip);
    }

    /** A sequence random steps seldom make: the first stroke on a layer, an all-layer copy,
     *  an undo that takes the layer's grid away under the floating block, a paste and its
     *  undo. */
    void PasteAfterUndo()
    {
        int position = -1;
        for (int p = 0; p < kLayerCount && position < 0; ++p)
            if (!model_.Grids[model_.IdAt[p]])
                position = p;
        if (position < 0)
            return Paint();
        PaintOn(position, true);
        SetMode(2);
        BlockGesture(1, {0, 0}, {}, {MapPixelWidth() - 1, MapPixelHeight() - 1});
        Copy();
        UndoStep();
        Paste();
        if (Chance(70))
            UndoStep();
    }

    void Select()
    {
        GoToLayerTab();
        const int mode = Rand(1, 2);
        if (model_.Mode != mode)
            SetMode(mode);
        BlockGesture(Chance(90) ? 1 : 2, AnyPixel(), SomeMoves(3), AnyPixel());
    }

    bool CopyEnabledInModel() const
    {
        if (model_.Phase != 1)
            return false;
        if (model_.Mode == 1)
            return model_.Tab < kEventsTab && model_.Grids[model_.IdAt[model_.Tab]].has_value();
        return model_.Mode == 2 && model_.AnyGrid();
    }

    void Copy()
    {
        if (model_.Phase != 1 && Chance(80))
            Select();
        const bool enabled = CopyEnabledInModel();
        EXPECT_EQ(EditCopyEnabled(doc_), enabled);
        EditCopy(doc_);
        if (enabled)
            model_.Capture(model_.Mode == 1 ? model_.IdAt[model_.Tab] : -1, false);
    }

    void Cut()
    {
        if (model_.Phase != 1 && Chance(80))
            Select();
        const bool enabled = CopyEnabledInModel();
        EXPECT_EQ(EditCutEnabled(doc_), enabled);
        EditCut(doc_);
        if (enabled)
            model_.Capture(model_.Mode == 1 ? model_.IdAt[model_.Tab] : -1, true);
    }

    void DragBlock()
    {
        if (model_.Phase != 2 || (model_.Mode != 1 && model_.Mode != 2)) {
            Copy();
            return;
        }
        const IntRect outline = FloatingOutline();
        const IntPoint grab{(outline.Left + outline.Right) / 2, (outline.Top + outline.Bottom) / 2};
        BlockGesture(1, grab, SomeMoves(4), AnyPixel());
    }

    void Paste()
    {
        const bool textMode = model_.Mode == 3 || model_.Mode == 4;
        const bool block = model_.Phase == 2 && (model_.Mode == 1 || model_.Mode == 2);
        EXPECT_EQ(EditPasteEnabled(doc_), model_.Phase == 2);
        EditPaste(doc_);
        if (textMode)
            CompleteTextModel();
        else if (block)
            model_.Paste(model_.PastePos);
    }

    void Esc()
    {
        CancelFloating(doc_);
        if (model_.Phase == 0)
            return;
        model_.Phase = 0;
        if (model_.Mode == 3 || model_.Mode == 4)
            model_.Mode = 0;
        model_.DropSelection();
    }

    void UndoStep()
    {
        EXPECT_EQ(UndoEnabled(doc_), !model_.Ring.empty());
        Undo(doc_);
        model_.Undo();
    }

    void Swap()
    {
        if (Chance(50)) {
            const int i = Rand(1, 7);
            MoveLayerLeft(doc_, i);
            std::swap(model_.IdAt[i], model_.IdAt[i - 1]);
        } else {
            const int i = Rand(0, 6);
            MoveLayerRight(doc_, i);
            std::swap(model_.IdAt[i], model_.IdAt[i + 1]);
        }
        model_.Typed.clear();
    }

    int PickCount()
    {
        const int kind = Rand(0, 99);
        if (kind < 10)
            return 1;
        if (kind < 90)
            return Rand(2, 24);
        return Rand(25, 48);
    }

    void Resize()
    {
        const int columns = PickCount();
        const int rows = PickCount();
        if (Chance(10)) {
            // A count outside 1..512 is refused and the dialog asks again.
            ui_.MapSizeAnswers.push_back({true, {Chance(50) ? 0 : 513, rows}, {}});
            ++expectedMessages_;
        }
        const bool cancel = Chance(5);
        ui_.MapSizeAnswers.push_back({!cancel, {columns, rows}, {}});
        if (cancel)
            return ResizeMap(doc_);
        const bool shrinks = columns < model_.Columns || rows < model_.Rows;
        const bool asks = shrinks && model_.AnyGrid();
        const bool yes = Chance(80);
        if (asks)
            ui_.YesNoAnswers.push_back(yes);
        ResizeMap(doc_);
        if ((asks && !yes) || (columns == model_.Columns && rows == model_.Rows))
            return;
        model_.Resize(columns, rows);
    }

    void Tab() { GoToTab(Chance(80) ? Rand(0, 7) : Rand(8, 9)); }

    void Zoom()
    {
        const int zoom = Rand(1, 4);
        OnZoom(doc_, zoom);
        if (zoom != model_.Zoom) {
            model_.Typed.clear();
            model_.Zoom = zoom;
        }
    }

    EventDialogValues RandomEventValues()
    {
        EventDialogValues v;
        v.Type = Chance(30) ? 0 : Rand(1, 99);
        v.Map = Chance(40) ? "" : Word(6, false) + ".mpx";
        v.X = Rand(0, 600);
        v.Y = Rand(0, 600);
        v.Option1 = Chance(50) ? 0 : Rand(0, 100000);
        v.Option2 = Chance(50) ? 0 : Rand(0, 100000);
        v.Rem = Word(8);
        return v;
    }

    void PlaceEventStep()
    {
        if (model_.Tab != kEventsTab)
            GoToTab(kEventsTab);
        const EventDialogValues values = RandomEventValues();
        const bool ok = Chance(85);
        ui_.EventAnswers.push_back({ok, values, {}});
        const IntPoint press = AnyPixel();
        const IntPoint release = AnyPixel();
        ASSERT_TRUE(ButtonPress(doc_, Chance(80) ? 1 : 2, press.X, press.Y));
        for (const IntPoint& p : SomeMoves(2))
            PointerMove(doc_, p.X, p.Y);
        ButtonRelease(doc_, release.X, release.Y);
        if (ok && (values.Type != 0 || !values.Map.empty())) {
            CEventData event;
            event.Type = values.Type;
            event.Rect = Normalised(CellAt(press), CellAt(release));
            event.Map = values.Map;
            event.Pos = {values.X, values.Y};
            event.Option[0] = values.Option1;
            event.Option[1] = values.Option2;
            event.Rem = values.Rem;
            model_.Events.push_back(event);
        }
    }

    void EditEventStep()
    {
        if (model_.Events.empty())
            return PlaceEventStep();
        if (model_.Tab != kEventsTab)
            GoToTab(kEventsTab);
        const int index = Rand(0, static_cast<int>(model_.Events.size()) - 1);
        const EventDialogValues values = RandomEventValues();
        const bool ok = Chance(85);
        ui_.EventAnswers.push_back({ok, values, {}});
        EditEvent(doc_, index);
        model_.Mode = 0;
        model_.DropSelection();
        CEventData copy = model_.Events[static_cast<size_t>(index)];
        if (ok && ApplyEventDialog(values, copy))
            model_.Events[static_cast<size_t>(index)] = copy;
    }

    void DeleteEventStep()
    {
        if (model_.Events.empty())
            return PlaceEventStep();
        const int index = Rand(0, static_cast<int>(model_.Events.size()) - 1);
        DeleteEvent(doc_, index);
        model_.Events.erase(model_.Events.begin() + index);
    }

    void TypeText()
    {
        if (model_.Tab != kTextsTab)
            GoToTab(kTextsTab);
        if (model_.Mode != 0)
            SetMode(0);
        const IntPoint press = PixelOnMap();
        const IntPoint release = AnyPixel();
        ASSERT_TRUE(ButtonPress(doc_, 1, press.X, press.Y));
        ButtonRelease(doc_, release.X, release.Y);
        model_.Typed.clear();
        const IntPoint typePos{static_cast<int>(press.X * 4.0 / model_.Zoom),
                               static_cast<int>(press.Y * 4.0 / model_.Zoom)};

        std::vector<std::string> typed;  // one entry per character
        const int keys = Rand(0, 8);
        for (int i = 0; i < keys; ++i) {
            if (Chance(15)) {
                TypeChar(doc_, 8);
                if (model_.Typed.size() < 2)
                    typed.clear();
                else
                    typed.pop_back();
            } else {
                // Half-width kana are single bytes above 0x7E, which typing on the map does not
                // take; the dialogs do.
                std::string ch = Word(1, false);
                while (ch == Cp932("ｱ"))
                    ch = Word(1, false);
                for (char byte : ch)
                    TypeChar(doc_, static_cast<unsigned char>(byte));
                typed.push_back(ch);
            }
            model_.Typed.clear();
            for (const std::string& ch : typed)
                model_.Typed += ch;
        }
        const int end = Rand(0, 99);
        if (end < 60) {
            TypeChar(doc_, Chance(50) ? 13 : 10);
            const IntSize size = Measure(model_.Typed, doc_.FontSize);
            CMemo memo;
            memo.Text = model_.Typed;
            memo.Rect = {typePos.X, typePos.Y, typePos.X + size.Width, typePos.Y + size.Height};
            memo.Size = doc_.FontSize;
            memo.Color = doc_.TextColor;
            model_.Texts.push_back(memo);
            model_.Typed.clear();
        } else if (end < 75) {
            TypeChar(doc_, 27);
            model_.Typed.clear();
        }
    }

    void EditTextStep()
    {
        if (model_.Texts.empty())
            return TypeText();
        if (model_.Tab != kTextsTab)
            GoToTab(kTextsTab);
        const int index = Rand(0, static_cast<int>(model_.Texts.size()) - 1);
        TextDialogValues values;
        values.Text = Word(6);
        values.SizeText = Chance(10) ? Word(2) : std::to_string(Rand(0, 60));
        values.Color = static_cast<uint32_t>(Rand(0, 0xFFFFFF));
        const bool ok = Chance(85);
        ui_.TextAnswers.push_back({ok, values, {}});
        EditText(doc_, index);
        model_.Typed.clear();
        model_.Mode = 0;
        model_.DropSelection();
        CMemo copy = model_.Texts[static_cast<size_t>(index)];
        if (ok && ApplyTextDialog(values, copy)) {
            const IntSize size = Measure(copy.Text, copy.Size);
            copy.Rect.Right = copy.Rect.Left + size.Width;
            copy.Rect.Bottom = copy.Rect.Top + size.Height;
            model_.Texts[static_cast<size_t>(index)] = copy;
        }
    }

    void DeleteTextStep()
    {
        if (model_.Texts.empty())
            return TypeText();
        const int index = Rand(0, static_cast<int>(model_.Texts.size()) - 1);
        DeleteText(doc_, index);
        model_.Texts.erase(model_.Texts.begin() + index);
        if (model_.Mode == 3 || model_.Mode == 4) {
            if (index == model_.MovingText) {
                model_.Mode = 0;
                model_.DropSelection();
            } else if (index < model_.MovingText) {
                --model_.MovingText;
            }
        }
    }

    void FloatText()
    {
        if (model_.Texts.empty())
            return TypeText();
        if (model_.Tab != kTextsTab)
            GoToTab(kTextsTab);
        const int index = Rand(0, static_cast<int>(model_.Texts.size()) - 1);
        const int mode = Chance(50) ? 3 : 4;
        if (mode == 3)
            MoveText(doc_, index);
        else
            CopyText(doc_, index);
        model_.Mode = mode;
        model_.Phase = 2;
        model_.MovingText = index;
        const IntRect& r = model_.Texts[static_cast<size_t>(index)].Rect;
        model_.PastePos = {r.Left, r.Top};

        if (Chance(70)) {
            // Grab it (or miss it) and drag it about.
            const IntRect outline = FloatingOutline();
            const IntPoint press = Chance(80) ? IntPoint{(outline.Left + outline.Right) / 2,
                                                         (outline.Top + outline.Bottom) / 2}
                                              : AnyPixel();
            ASSERT_TRUE(ButtonPress(doc_, 1, press.X, press.Y));
            if (!Contains(outline, press))
                model_.Phase = 0;
            const int w = r.Right - r.Left;
            const int h = r.Bottom - r.Top;
            for (const IntPoint& p : SomeMoves(3)) {
                PointerMove(doc_, p.X, p.Y);
                if (model_.Phase != 2)
                    continue;
                const IntPoint at{
                    std::clamp(static_cast<int>(p.X * 4.0 / model_.Zoom), 0,
                               model_.Columns * ChipWidth),
                    std::clamp(static_cast<int>(p.Y * 4.0 / model_.Zoom), 0,
                               model_.Rows * ChipHeight)};
                model_.PastePos = {at.X - w / 2, at.Y - h / 2};
            }
            const IntPoint release = AnyPixel();
            ButtonRelease(doc_, release.X, release.Y);
        }
        const int end = Rand(0, 99);
        if (end < 40) {
            EnterKey(doc_);
            CompleteTextModel();
        } else if (end < 60) {
            Paste();
        } else if (end < 80) {
            Esc();
        }
    }

    void LayerSettings()
    {
        LayerOptionDialogValues values;
        values.Name = Chance(5) ? "" : Word(6, false);
        values.ChipPage = Chance(70) ? (Chance(50) ? 0 : 3) : Rand(0, 7);
        values.SaveType = Rand(0, 3);
        values.DataSizeIndex = Rand(0, 1);
        ApplyLayerSettings(doc_, Rand(0, 7), values);
    }

    void Settings()
    {
        SettingsDialogValues chosen;
        chosen.BType = Chance(50) ? "mpb" : Word(3, false);
        chosen.SaveEvent = Rand(0, 1);
        chosen.SaveEventMap = Rand(0, 2);
        chosen.SaveEventRem = Rand(0, 1);
        chosen.FontSizeText = std::to_string(Rand(8, 40));
        chosen.Color = static_cast<uint32_t>(Rand(0, 0xFFFFFF));
        chosen.SaveText = Rand(0, 1);
        // A free text attribute starts with a non-blank and may hold blanks, even at its end.
        chosen.TextOption = Chance(20) ? "" : Word(1, false) + (Chance(50) ? " x " : "") + Word(5);
        for (int& n : chosen.IntOptions)
            n = Chance(30) ? 0 : Rand(-100000, 100000);
        ui_.SettingsAnswers.push_back({Chance(90), chosen, {}});
        OnSettings(doc_);
        model_.Typed.clear();
        model_.DropSelection();
    }

    void ToggleShown() { ToggleTabShown(doc_, Rand(0, 9)); }

    void SaveAndReload() { SaveAndCompare(true); }

    /** Stores the map, reads it into a second document and compares the two; with into, also
     *  reads it back into the document under test, as opening the saved file does. */
    void SaveAndCompare(bool into)
    {
        std::string bytes;
        WriteMapFile(doc_, bytes, folder_);
        // A store ends the floating state and throws typed text away; the mode stays.
        model_.Typed.clear();
        model_.DropSelection();
        CheckInvariants();

        MemorySettingsStore otherStore;
        FakeUiPort otherUi;
        CQuelpDoc other(otherStore, otherUi);
        other.Columns = 3;
        other.Rows = 2;
        other.OnNewDocument();
        ReadMapFile(other, bytes, folder_);
        ExpectSameDocument(doc_, other);
        for (const CMemo& memo : doc_.Texts)
            if (memo.Rect.Left < 0 || memo.Rect.Top < 0)
                ++counts_["(text hanging over the map's top or left edge, read back whole)"];

        if (into) {
            ReadMapFile(doc_, bytes, folder_);
            model_.Reload();
        }
    }

    // --- checks ---
    void ExpectDialogsUsed()
    {
        EXPECT_TRUE(ui_.MapSizeAnswers.empty() && ui_.YesNoAnswers.empty() &&
                    ui_.EventAnswers.empty() && ui_.TextAnswers.empty() &&
                    ui_.SettingsAnswers.empty())
            << "a dialog the model expected was not shown";
        ui_.MapSizeAnswers.clear();
        ui_.YesNoAnswers.clear();
        ui_.EventAnswers.clear();
        ui_.TextAnswers.clear();
        ui_.SettingsAnswers.clear();
        EXPECT_EQ(static_cast<int>(ui_.Messages.size()), expectedMessages_);
    }

    static int16_t CellOf(const CQuelpDoc& doc, const CLayerData& layer, int x, int y)
    {
        return layer.HasGrid() ? (*layer.Cells)[static_cast<size_t>(y) * doc.Columns + x]
                               : int16_t(-1);
    }

    void ExpectSameDocument(const CQuelpDoc& a, const CQuelpDoc& b)
    {
        ASSERT_EQ(a.Columns, b.Columns);
        ASSERT_EQ(a.Rows, b.Rows);
        for (int pos = 0; pos < kLayerCount; ++pos) {
            SCOPED_TRACE("layer position " + std::to_string(pos));
            const CLayerData& la = a.Layers[pos];
            const CLayerData& lb = b.Layers[pos];
            EXPECT_EQ(lb.LayerId, pos);
            EXPECT_EQ(la.Name, lb.Name);
            EXPECT_EQ(la.ChipPage, lb.ChipPage);
            EXPECT_EQ(la.View, lb.View);
            EXPECT_EQ(la.SaveType, lb.SaveType);
            EXPECT_EQ(la.DataSize, lb.DataSize);
            int differing = 0;
            for (int y = 0; y < a.Rows; ++y)
                for (int x = 0; x < a.Columns; ++x)
                    differing += CellOf(a, la, x, y) != CellOf(b, lb, x, y);
            EXPECT_EQ(differing, 0) << "cells differ after reload";
        }
        for (int page = 0; page < kChipPageCount; ++page) {
            EXPECT_EQ(a.ChipPages[page].FilePath, b.ChipPages[page].FilePath);
            EXPECT_EQ(a.ChipPages[page].InUse(), b.ChipPages[page].InUse());
            EXPECT_EQ(a.ChipPages[page].ChipCount(), b.ChipPages[page].ChipCount());
        }
        EXPECT_TRUE(a.Events == b.Events) << "events differ after reload";
        ASSERT_EQ(a.Texts.GetCount(), b.Texts.GetCount());
        for (int i = 0; i < a.Texts.GetCount(); ++i)
            EXPECT_TRUE(a.Texts.At(i) == b.Texts.At(i)) << "text " << i;
        EXPECT_EQ(a.TextColor, b.TextColor);
        EXPECT_EQ(a.FontSize, b.FontSize);
        EXPECT_EQ(a.ViewText, b.ViewText);
        EXPECT_EQ(a.SaveText, b.SaveText);
        EXPECT_EQ(a.ViewEvent, b.ViewEvent);
        EXPECT_EQ(a.SaveEvent, b.SaveEvent);
        EXPECT_EQ(a.SaveEventMap, b.SaveEventMap);
        EXPECT_EQ(a.SaveEventRem, b.SaveEventRem);
        EXPECT_EQ(a.TextOption, b.TextOption);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(a.IntOptions[i], b.IntOptions[i]);
        EXPECT_EQ(b.UndoCount, 0);
    }

    void CheckInvariants()
    {
        const CQuelpDoc& d = doc_;
        ASSERT_EQ(d.Columns, model_.Columns);
        ASSERT_EQ(d.Rows, model_.Rows);
        ASSERT_TRUE(d.Columns >= 1 && d.Columns <= 512 && d.Rows >= 1 && d.Rows <= 512);
        const size_t cells = static_cast<size_t>(d.Columns) * d.Rows;

        std::set<int> ids;
        for (int pos = 0; pos < kLayerCount; ++pos) {
            const CLayerData& layer = d.Layers[pos];
            ids.insert(layer.LayerId);
            ASSERT_EQ(layer.LayerId, model_.IdAt[pos]) << "position " << pos;
            const ModelGrid& expected = model_.Grids[layer.LayerId];
            ASSERT_EQ(layer.HasGrid(), expected.has_value())
                << "grid presence of layer " << layer.LayerId;
            if (!layer.HasGrid())
                continue;
            ASSERT_EQ(layer.Cells->size(), cells) << "grid of layer " << layer.LayerId;
            if (*layer.Cells != *expected) {
                const auto at = std::mismatch(layer.Cells->begin(), layer.Cells->end(),
                                              expected->begin()).first - layer.Cells->begin();
                FAIL() << "layer " << layer.LayerId << " cell (" << at % d.Columns << ", "
                       << at / d.Columns << ") is " << (*layer.Cells)[at] << ", model has "
                       << (*expected)[at];
            }
        }
        ASSERT_EQ(ids.size(), 8u) << "layer identities are not a permutation";

        ASSERT_EQ(d.UndoCount, static_cast<int>(model_.Ring.size()));
        ASSERT_EQ(d.UndoNext, model_.Next);
        for (int k = 0; k < d.UndoCount; ++k) {
            const RegionSnapshot& entry = d.UndoRing[(d.UndoNext + kUndoDepth - 1 - k) % kUndoDepth];
            const ModelUndoEntry& m = model_.Ring[model_.Ring.size() - 1 - static_cast<size_t>(k)];
            ASSERT_EQ(entry.LayerId, m.LayerId);
            ASSERT_EQ((IntRect{entry.Left, entry.Top, entry.Right, entry.Bottom}), m.Rect);
            ASSERT_EQ(entry.NoGrid != 0, m.NoGrid);
            ExpectBuffersFit(entry);
        }

        ASSERT_EQ(d.CurrentTab, model_.Tab);
        ASSERT_EQ(d.Zoom, model_.Zoom);
        ASSERT_EQ(d.EditMode, model_.Mode);
        ASSERT_EQ(d.SelectPhase, model_.Phase);
        ASSERT_EQ(d.ButtonDown, 0);
        const bool blockMode = d.EditMode == 1 || d.EditMode == 2;
        if (blockMode && d.SelectPhase >= 1) {
            const RegionSnapshot& clip = d.Clipboard;
            ASSERT_EQ((IntRect{clip.Left, clip.Top, clip.Right, clip.Bottom}), model_.Selection);
            ASSERT_EQ(d.PastePos, model_.PastePos);
        }
        if (blockMode && d.SelectPhase == 2) {
            const RegionSnapshot& clip = d.Clipboard;
            ASSERT_EQ(clip.LayerId, model_.BlockLayerId);
            ExpectBuffersFit(clip);
            size_t held = 0;
            for (int id = 0; id < 8; ++id)
                held += model_.Block[id].has_value();
            ASSERT_EQ(clip.Buffers.size(), held);
            for (const CDataBuffer& buffer : clip.Buffers)
                ASSERT_TRUE(model_.Block[buffer.LayerId] && buffer.Data == *model_.Block[buffer.LayerId])
                    << "floating block of layer " << buffer.LayerId;
            const int w = clip.Right - clip.Left;
            const int h = clip.Bottom - clip.Top;
            ASSERT_TRUE(d.PastePos.X >= 0 && d.PastePos.Y >= 0 && d.PastePos.X + w < d.Columns &&
                        d.PastePos.Y + h < d.Rows)
                << "the floating block left the map";
        }
        if ((d.EditMode == 3 || d.EditMode == 4)) {
            ASSERT_EQ(d.MovingText, model_.MovingText);
            ASSERT_EQ(d.PastePos, model_.PastePos);
        }
        ASSERT_EQ(d.TypedText, model_.Typed);
        ASSERT_EQ(d.Events.GetCount(), static_cast<int>(model_.Events.size()));
        for (int i = 0; i < d.Events.GetCount(); ++i)
            ASSERT_TRUE(d.Events.At(i) == model_.Events[static_cast<size_t>(i)]) << "event " << i;
        ASSERT_EQ(d.Texts.GetCount(), static_cast<int>(model_.Texts.size()));
        for (int i = 0; i < d.Texts.GetCount(); ++i)
            ASSERT_TRUE(d.Texts.At(i) == model_.Texts[static_cast<size_t>(i)]) << "text " << i;
    }

    static void ExpectBuffersFit(const RegionSnapshot& snapshot)
    {
        std::set<int> seen;
        for (const CDataBuffer& buffer : snapshot.Buffers) {
            ASSERT_EQ(buffer.Width, snapshot.Right - snapshot.Left + 1);
            ASSERT_EQ(buffer.Height, snapshot.Bottom - snapshot.Top + 1);
            ASSERT_EQ(buffer.Data.size(), static_cast<size_t>(buffer.Width) * buffer.Height);
            ASSERT_TRUE(seen.insert(buffer.LayerId).second) << "two buffers for one layer";
        }
    }

    void LoadSheet(int slot, const char* name, int width, int height)
    {
        QImage sheet(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                sheet.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) % 256));
        const std::string path = folder_ + name;
        ASSERT_TRUE(sheet.save(QString::fromStdString(path), "PNG"));
        ASSERT_TRUE(LoadChipPage(doc_.ChipPages[slot], path, ChipWidth, ChipHeight));
    }

    std::mt19937_64 rng_;
    QTemporaryDir dir_;
    std::string folder_;
    MemorySettingsStore store_;
    FakeUiPort ui_;
    CQuelpDoc doc_{store_, ui_};
    SoakModel model_;
    int expectedMessages_ = 0;
    std::map<std::string, int> counts_;
};

}  // namespace

TEST(Soak, SeededRandomEditingKeepsEveryInvariant)
{
    const uint64_t seed = EnvNumber("QUELP_SOAK_SEED", kDefaultSeed);
    const int steps = static_cast<int>(EnvNumber("QUELP_SOAK_STEPS", kDefaultSteps));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (replay with QUELP_SOAK_SEED=" +
                 std::to_string(seed) + ")");
    SoakRun run(seed);
    run.SetUp();
    ASSERT_FALSE(::testing::Test::HasFailure());
    int done = 0;
    while (done < steps && !::testing::Test::HasFailure())
        run.Step(done++);
    std::printf("soak seed %llu, %d of %d steps: %s\n", static_cast<unsigned long long>(seed), done,
                steps, run.Counts().c_str());
}
