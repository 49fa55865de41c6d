// Whatever the editor lets a user enter must come back from a save as it was: random documents
// are written, read back and compared member by member.
#include "mapfiletestdoc.h"

#include "core/cp932.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>

namespace {

// Sheets and destinations live in a folder that does not exist: every sheet stays unread, so
// its page keeps the path without an image.
const std::string kFolder = "/nonexistent-quelp-roundtrip/maps/";

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Int(0, 99) < percent; }

    /** Any number a dialog field accepts, the extremes included. */
    int AnyInt()
    {
        switch (Int(0, 5)) {
        case 0:
            return INT_MIN;
        case 1:
            return INT_MAX;
        case 2:
            return Int(-9, 9);
        default:
            return Int(-100000, 100000);
        }
    }

    /** A value as a user may type it: blanks, double-byte characters (0x5C trail bytes too) and
     *  words that look like keys or tags. The format cannot tell a value's leading blanks from
     *  the blanks after "=", so a value never starts with one (the one limit of the format);
     *  trailing blanks come back. */
    std::string Text()
    {
        static const std::vector<std::string> pieces = {
            "a", "Z", "7", "-1", " ", "  ", "\t", "=", ",", "\\", "/", ".", "$", "(", "!",
            Cp932("表"), Cp932("ソ"), Cp932("能"), Cp932("あ"), Cp932("　"), Cp932("町"),
            "Map = ", "Size = 3", "FontSize=40", "Name = x", "Rem = ", "Type = 1",
            "Rect = 1,2,3,4", "</data>", "<data>", "</map>", "</property>", "<text>",
            "<chip page=1>", "[MapFolder]", "\x82\xa0"};
        std::string text;
        const int n = Int(0, 6);
        for (int i = 0; i < n; ++i)
            text += pieces[static_cast<std::size_t>(Int(0, static_cast<int>(pieces.size()) - 1))];
        const std::size_t first = text.find_first_not_of(" \t");
        return first == std::string::npos ? std::string() : text.substr(first);
    }

    /** A path: under the map's folder or a foreign one that contains it; never beginning with
     *  "[MapFolder]", which the reader always takes for the folder. */
    std::string Path()
    {
        const std::string name = Text() + ".png";
        switch (Int(0, 3)) {
        case 0:
            return kFolder + name;
        case 1:
            return "/var" + kFolder + name;
        case 2:
            return "C:\\maps\\" + Cp932("表") + "\\" + name;
        default:
            return name.rfind("[MapFolder]", 0) == 0 ? "x" + name : name;
        }
    }

    void Fill(CQuelpDoc& doc)
    {
        doc.Columns = Int(1, 9);
        doc.Rows = Int(1, 9);
        doc.FontSize = Int(10, 38);
        doc.TextColor = static_cast<uint32_t>(Int(0, 0xFFFFFF));
        doc.ViewText = Int(0, 1);
        doc.SaveText = Int(0, 1);
        doc.ViewEvent = Int(0, 1);
        doc.SaveEvent = Int(0, 1);
        doc.SaveEventMap = Int(0, 2);
        doc.SaveEventRem = Int(0, 1);
        doc.TextOption = Text();
        for (int& option : doc.IntOptions)
            option = AnyInt();
        for (int i = 0; i < kChipPageCount; ++i)
            if (Chance(40))
                doc.ChipPages[static_cast<std::size_t>(i)].FilePath = Path();
        const std::size_t cells = static_cast<std::size_t>(doc.Columns * doc.Rows);
        for (CLayerData& layer : doc.Layers) {
            layer.Name = Text();
            layer.ChipPage = Int(0, kChipPageCount - 1);
            layer.View = Int(0, 1);
            layer.SaveType = Int(0, 3);
            layer.DataSize = Int(1, 2);
            if (Chance(60)) {
                // A grid of empty cells only is not written: one cell at least holds a chip.
                CellGrid grid(cells);
                for (int16_t& cell : grid)
                    cell = static_cast<int16_t>(Chance(30) ? -1 : Int(-32768, 32767));
                grid[static_cast<std::size_t>(Int(0, static_cast<int>(cells) - 1))] = 0;
                layer.Cells = std::move(grid);
            }
        }
        for (int i = Int(0, 4); i > 0; --i) {
            CEventData event;
            event.Type = AnyInt();
            event.Rect = {AnyInt(), AnyInt(), AnyInt(), AnyInt()};
            event.Map = Chance(50) ? Path() : Text();
            if (event.Map.rfind("[MapFolder]", 0) == 0)
                event.Map = "x" + event.Map;
            event.Pos = {AnyInt(), AnyInt()};
            event.Option[0] = AnyInt();
            event.Option[1] = AnyInt();
            event.Rem = Text();
            doc.Events.Append(event);
        }
        for (int i = Int(0, 4); i > 0; --i) {
            CMemo memo;
            memo.Text = Text();
            memo.Rect = {AnyInt(), AnyInt(), AnyInt(), AnyInt()};
            memo.Size = AnyInt();
            memo.Color = static_cast<uint32_t>(Int(0, 0xFFFFFF));
            doc.Texts.Append(memo);
        }
    }

private:
    std::mt19937 random_;
};

TEST(MapFileProperty, RandomDocumentsComeBackMemberByMember)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TestDoc made;
        Generator(seed).Fill(made.Doc);
        std::string bytes;
        WriteMapFile(made.Doc, bytes, kFolder);

        TestDoc back;
        ReadMapFile(back.Doc, bytes, kFolder);
        const CQuelpDoc& a = made.Doc;
        const CQuelpDoc& b = back.Doc;
        ASSERT_EQ(b.Columns, a.Columns);
        ASSERT_EQ(b.Rows, a.Rows);
        EXPECT_EQ(b.FontSize, a.FontSize);
        EXPECT_EQ(b.TextColor, a.TextColor);
        EXPECT_EQ(b.ViewText, a.ViewText);
        EXPECT_EQ(b.SaveText, a.SaveText);
        EXPECT_EQ(b.ViewEvent, a.ViewEvent);
        EXPECT_EQ(b.SaveEvent, a.SaveEvent);
        EXPECT_EQ(b.SaveEventMap, a.SaveEventMap);
        EXPECT_EQ(b.SaveEventRem, a.SaveEventRem);
        EXPECT_EQ(b.TextOption, a.TextOption);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(b.IntOptions[i], a.IntOptions[i]);
        for (std::size_t i = 0; i < kChipPageCount; ++i) {
            EXPECT_EQ(b.ChipPages[i].FilePath, a.ChipPages[i].FilePath) << "page " << i;
            EXPECT_FALSE(b.ChipPages[i].InUse());
        }
        for (std::size_t i = 0; i < kLayerCount; ++i)
            EXPECT_EQ(b.Layers[i], a.Layers[i]) << "layer " << i << " [" << b.Layers[i].Name
                                                << "] was [" << a.Layers[i].Name << "]";
        ASSERT_EQ(b.Events.GetCount(), a.Events.GetCount());
        for (int i = 0; i < a.Events.GetCount(); ++i)
            EXPECT_EQ(b.Events.At(i), a.Events.At(i))
                << "event " << i << ": Map [" << b.Events.At(i).Map << "] was ["
                << a.Events.At(i).Map << "], Rem [" << b.Events.At(i).Rem << "] was ["
                << a.Events.At(i).Rem << "]";
        ASSERT_EQ(b.Texts.GetCount(), a.Texts.GetCount());
        for (int i = 0; i < a.Texts.GetCount(); ++i)
            EXPECT_EQ(b.Texts.At(i), a.Texts.At(i))
                << "text " << i << ": [" << b.Texts.At(i).Text << "] was ["
                << a.Texts.At(i).Text << "]";

        // And the second save writes the same bytes.
        std::string again;
        WriteMapFile(back.Doc, again, kFolder);
        EXPECT_EQ(again, bytes);
        if (HasFailure())
            return;
    }
}

}  // namespace
