#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "export/binarymap.h"
#include "export/binarysave.h"
#include "export/bytewriter.h"
#include "render/chippages.h"
#include "support/fakeuiport.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

std::string Zeros(std::size_t n)
{
    return std::string(n, '\0');
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The worked example: a new 50 x 50 map, 16 x 16 chips, tiles.png of 128 x 64 on page 0, the
// stored defaults, chip 5 at column 1, row 0 of layer 0 with save type 3 and data size 1.
struct WorkedExample {
    MemorySettingsStore Store;
    FakeUiPort Ui;
    CQuelpDoc Doc{Store, Ui};
    QTemporaryDir Dir;

    WorkedExample()
    {
        ChipWidth = 16;
        ChipHeight = 16;
        Doc.OnNewDocument();
        const std::string sheet = Dir.path().toStdString() + "/tiles.png";
        QImage image(128, 64, QImage::Format_RGB888);
        image.fill(QColor(1, 2, 3));
        image.save(QString::fromStdString(sheet));
        int w = ChipWidth, h = ChipHeight;
        LoadChipPage(Doc.ChipPages[0], sheet, w, h);
        Doc.Layers[0].Cells = CellGrid(2500, -1);
        (*Doc.Layers[0].Cells)[1] = 5;
        Doc.Layers[0].SaveType = 3;
        Doc.Layers[0].DataSize = 1;
    }
};

std::string Header()
{
    return Bytes({0x10, 0, 0, 0, 0x10, 0, 0, 0, 0x32, 0, 0, 0, 0x32, 0, 0, 0}) + Zeros(4) +
           Zeros(16) + Bytes({8, 0, 0, 0, 4, 0, 0, 0, 9, 0, 0, 0}) + "tiles.png" + Zeros(7 * 12);
}

const std::string kNoEvents = Bytes({8, 0, 0, 0}) + Zeros(4) + Zeros(4);
const std::string kEnd = Bytes({0xFF, 0xFF, 0xFF, 0xFF});

TEST(BinaryMap, TheWorkedExampleByteForByte)
{
    WorkedExample map;
    const std::string expected = Header() + Zeros(4) + Zeros(4) + Bytes({3, 0, 0, 0}) +
                                 Bytes({1, 0, 0, 0}) + Bytes({1, 0, 0, 0}) +
                                 Bytes({1, 0, 0, 0, 5}) + kNoEvents + kEnd;
    const std::string bytes = BuildBinaryMap(map.Doc);
    EXPECT_EQ(bytes.size(), 182u);
    EXPECT_EQ(bytes, expected);
}

TEST(BinaryMap, TheWorkedExampleWithValidRangeAndTwoBytes)
{
    WorkedExample map;
    map.Doc.Layers[0].SaveType = 1;
    map.Doc.Layers[0].DataSize = 2;
    (*map.Doc.Layers[0].Cells)[50 + 2] = 7;
    const std::string expected = Header() + Zeros(4) + Zeros(4) + Bytes({1, 0, 0, 0}) +
                                 Bytes({2, 0, 0, 0}) + Bytes({1, 0, 0, 0}) + Zeros(4) +
                                 Bytes({2, 0, 0, 0}) + Bytes({1, 0, 0, 0}) +
                                 Bytes({5, 0, 0xFF, 0xFF, 0xFF, 0xFF, 7, 0}) + kNoEvents + kEnd;
    EXPECT_EQ(BuildBinaryMap(map.Doc), expected);
}

TEST(BinaryMap, AllDataOneByteAndTheChipSizeOfTheMoment)
{
    WorkedExample map;
    map.Doc.Columns = 2;
    map.Doc.Rows = 1;
    map.Doc.Layers[0].Cells = CellGrid{300, -1};
    map.Doc.Layers[0].SaveType = 2;
    map.Doc.Layers[6].Cells = CellGrid{-1, -1};  // all data but empty: absent
    map.Doc.Layers[6].SaveType = 2;
    map.Doc.Layers[7].SaveType = 2;  // never painted: absent
    map.Doc.Layers[3].Cells = CellGrid{1, 1};
    map.Doc.Layers[3].SaveType = 0;  // not saved
    ChipWidth = 32;
    const std::string bytes = BuildBinaryMap(map.Doc);
    ChipWidth = 16;
    const std::string layer = Zeros(4) + Zeros(4) + Bytes({2, 0, 0, 0, 1, 0, 0, 0}) +
                              Bytes({0x2C, 0xFF});
    EXPECT_EQ(bytes.substr(0, 4), Bytes({32, 0, 0, 0}));
    EXPECT_EQ(bytes.substr(8, 8), Bytes({2, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(bytes.substr(bytes.size() - 4 - 12 - layer.size()), layer + kNoEvents + kEnd);
}

TEST(BinaryMap, EventsRemarksAndTexts)
{
    WorkedExample map;
    map.Doc.Layers[0].Cells.reset();
    map.Doc.TextOption = "ab";
    map.Doc.IntOptions[0] = -2;
    map.Doc.SaveEventRem = 1;
    map.Doc.SaveEventMap = 1;
    map.Doc.SaveText = 1;
    CEventData event;
    event.Type = 3;
    event.Rect = {1, 2, 3, 4};
    event.Map = "C:\\maps\\town.mpx";
    event.Pos = {5, 6};
    event.Option[0] = -1;
    event.Option[1] = 9;
    map.Doc.Events.Append(event);
    CMemo memo;
    memo.Text = "hi";
    memo.Rect = {10, 20, 30, 40};
    memo.Size = 14;
    memo.Color = 0x00332211;
    map.Doc.Texts.Append(memo);

    const std::string bytes = BuildBinaryMap(map.Doc);
    EXPECT_EQ(bytes.substr(16, 6), Bytes({2, 0, 0, 0}) + "ab");
    EXPECT_EQ(bytes.substr(22, 4), Bytes({0xFE, 0xFF, 0xFF, 0xFF}));
    const std::string events =
        Bytes({8, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}) + Bytes({3, 0, 0, 0, 1, 0, 0, 0}) +
        Bytes({2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}) + Bytes({8, 0, 0, 0}) + "town.mpx" +
        Bytes({5, 0, 0, 0, 6, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 9, 0, 0, 0}) + Zeros(4);
    const std::string texts = Bytes({9, 0, 0, 0, 1, 0, 0, 0}) +
                              Bytes({10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0, 40, 0, 0, 0}) +
                              Bytes({14, 0, 0, 0, 0x11, 0x22, 0x33, 0}) + Bytes({2, 0, 0, 0}) +
                              "hi";
    EXPECT_EQ(bytes.substr(bytes.size() - events.size() - texts.size() - 4),
              events + texts + kEnd);

    // Without events the texts follow the layers directly.
    map.Doc.SaveEvent = 0;
    const std::string noEvents = BuildBinaryMap(map.Doc);
    EXPECT_EQ(noEvents.substr(noEvents.size() - texts.size() - 4), texts + kEnd);
    EXPECT_EQ(noEvents.size(), 16 + 6 + 16 + 21 + 7 * 12 + texts.size() + 4);
}

TEST(BinaryMap, EventMapNamesByMethod)
{
    struct Case {
        std::string Map;
        int Method;
        std::string Name;
    };
    const std::string hyo = Cp932("表");
    const Case cases[] = {
        {"/maps/town.mpx", 0, "town"},       {"/maps/town.mpx", 1, "town.mpx"},
        {"/maps/town.mpx", 2, "/maps/town.mpx"}, {"C:\\m\\old.town.mpx", 0, "old.town"},
        {"/maps/town", 0, "town"},           {"/maps/town", 1, "town"},
        {"", 2, ""},                         {"/maps/town.mpx", 3, ""},
        {"/maps/town.mpx", -1, ""},          {"a\\" + hyo + ".mpx", 0, hyo},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetEventMapName(c.Map, c.Method), c.Name) << c.Map << " " << c.Method;
}

TEST(BinaryMap, ValidRangeAndOddDataSizes)
{
    CLayerData layer;
    EXPECT_EQ(FindValidRange(layer, 3, 3).Count, 0);
    layer.Cells = CellGrid{-1, -1, -1, -1, 4, -1, 6, -1, 7};
    const ValidRange range = FindValidRange(layer, 3, 3);
    EXPECT_EQ(range.Count, 3);
    EXPECT_EQ(range.Left, 0);
    EXPECT_EQ(range.Top, 1);
    EXPECT_EQ(range.Right, 2);
    EXPECT_EQ(range.Bottom, 2);

    layer.SaveType = 2;
    for (const auto& [dataSize, cellBytes] : {std::pair{0, 0}, {-3, 0}, {1, 1}, {2, 2}, {7, 2}}) {
        layer.DataSize = dataSize;
        std::string out;
        CByteWriter writer(out);
        WriteLayerBlock(writer, layer, 4, 3, 3);
        ASSERT_EQ(out.size(), 16u + 9u * cellBytes) << dataSize;
        EXPECT_EQ(out.substr(12, 4), Bytes({cellBytes, 0, 0, 0}));
    }
}

TEST(BinarySave, FilterAndDefaultName)
{
    const std::string description = Cp932("バイナリ ファイル ");
    EXPECT_EQ(BinarySaveFilter("mpb"), description + "(*.mpb)|*.mpb||");
    EXPECT_EQ(BinarySaveFilter(".dat"), description + "(*.dat)|*.dat||");
    EXPECT_EQ(BinarySaveFilter("dat"), description + "(*.dat)|*.dat||");
    EXPECT_EQ(BinarySaveFilter(""), description + "(*.)|*.||");
    EXPECT_EQ(BinarySaveDefaultName("/maps/town.mpx", "mpb"), "town.mpb");
    EXPECT_EQ(BinarySaveDefaultName("C:\\maps\\town.mpx", ".dat"), "town.dat");
    EXPECT_EQ(BinarySaveDefaultName("/maps/town.mpx", "dat"), "town.dat");
    EXPECT_EQ(BinarySaveDefaultName("/maps/town.mpx", ""), "town.");
    EXPECT_EQ(BinarySaveDefaultName("/maps/old.town", "mpb"), "old.mpb");
    EXPECT_EQ(BinarySaveDefaultName("/maps/town", "mpb"), "town.mpb");
    EXPECT_EQ(BinarySaveDefaultName("", "mpb"), "");
}

TEST(BinarySave, WritesThroughTheDialogAndSaysSo)
{
    WorkedExample map;
    map.Doc.PathName = "/somewhere/town.mpx";
    map.Doc.SetModifiedFlag(false);
    const std::string out = map.Dir.path().toStdString() + "/town.mpb";
    map.Ui.FileAnswers.push_back(out);
    OnBinarySave(map.Doc);
    ASSERT_EQ(map.Ui.FileRequests.size(), 1u);
    EXPECT_FALSE(map.Ui.FileRequests[0].Open);
    EXPECT_EQ(map.Ui.FileRequests[0].InitialName, "town.mpb");
    EXPECT_EQ(map.Ui.FileRequests[0].Filter, BinarySaveFilter("mpb"));
    EXPECT_TRUE(map.Ui.FileRequests[0].DefaultExt.empty());
    EXPECT_EQ(map.Ui.Messages, std::vector<std::string>{Cp932("ファイルを保存しました。")});
    EXPECT_EQ(ReadFile(out).size(), 182u);
    EXPECT_FALSE(map.Doc.IsModified());

    // Cancel writes nothing and says nothing.
    map.Ui.FileAnswers.push_back(std::nullopt);
    OnBinarySave(map.Doc);
    EXPECT_EQ(map.Ui.Messages.size(), 1u);

    // A file that cannot be written: the failure message, then which file and why.
    map.Ui.FileAnswers.push_back(map.Dir.path().toStdString() + "/no/such/folder.mpb");
    OnBinarySave(map.Doc);
    ASSERT_EQ(map.Ui.Messages.size(), 2u);
    EXPECT_EQ(map.Ui.Messages[1].rfind(Cp932("ファイルを保存に失敗しました。"), 0), 0u);
    EXPECT_NE(map.Ui.Messages[1].find("folder.mpb"), std::string::npos);
}

}  // namespace
