#include "exampletown.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "render/chippages.h"

#include <QColor>
#include <QVector>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kChip = 16;
constexpr int kColumns = 40;
constexpr int kRows = 30;

// A fixed hash, so that every run draws the same grass.
uint32_t Hash(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

QRgb Shade(QRgb base, int amount)
{
    const auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
    return qRgb(clamp(qRed(base) + amount), clamp(qGreen(base) + amount),
                clamp(qBlue(base) + amount));
}

// ---- ground sheet (24-bit) ----

enum Ground { Grass, GrassTufts, GrassDark, Road, Water, WaterRipple, Sand, Plaza, Soil, Crops };

QRgb GroundPixel(int chip, int x, int y)
{
    const int n = static_cast<int>(Hash(x, y, chip) % 21) - 10;
    switch (chip) {
    case Grass:
        return Shade(qRgb(86, 168, 72), n);
    case GrassTufts:
        return ((x + 3 * (y / 4)) % 7 == 0 && y % 4 < 2) ? qRgb(52, 124, 48)
                                                        : Shade(qRgb(86, 168, 72), n);
    case GrassDark:
        return Shade(qRgb(66, 140, 60), n);
    case Road:
        return Shade(qRgb(176, 142, 96), n + ((x * y) % 5 == 0 ? -18 : 0));
    case Water:
        return Shade(qRgb(58, 112, 196), n / 2);
    case WaterRipple:
        return ((y % 6 == 2) && ((x + y) % 8 < 4)) ? qRgb(150, 190, 240)
                                                   : Shade(qRgb(58, 112, 196), n / 2);
    case Sand:
        return Shade(qRgb(222, 202, 142), n);
    case Plaza: {
        const bool joint = x % 8 == 0 || y % 8 == 0;
        return joint ? qRgb(120, 120, 116) : Shade(qRgb(178, 176, 168), n);
    }
    case Soil:
        return Shade(qRgb(112, 78, 50), n + (y % 4 == 0 ? -16 : 0));
    case Crops:
        return (x % 4 == 1 && y % 8 < 6) ? Shade(qRgb(214, 190, 70), n)
                                         : Shade(qRgb(112, 78, 50), n + (y % 4 == 0 ? -16 : 0));
    default:
        return Shade(qRgb(86, 168, 72), n);
    }
}

// ---- object sheet (8-bit, entry 0 is the key) ----

enum Ink {
    Key, Outline, WallLight, WallShade, RoofRed, RoofRedDark, RoofBlue, RoofBlueDark, DoorWood,
    DoorDark, Glass, Leaf, LeafDark, Trunk, FlowerRed, FlowerYellow, Stone, StoneDark, Plank,
    WellWater, White, InkCount
};

QVector<QRgb> ObjectPalette()
{
    return {qRgb(255, 0, 255),  qRgb(40, 32, 32),    qRgb(232, 216, 180), qRgb(196, 176, 140),
            qRgb(200, 64, 56),  qRgb(150, 40, 40),   qRgb(64, 96, 180),   qRgb(40, 64, 130),
            qRgb(140, 92, 52),  qRgb(96, 60, 32),    qRgb(150, 200, 240), qRgb(60, 150, 60),
            qRgb(36, 104, 44),  qRgb(110, 74, 40),   qRgb(224, 56, 72),   qRgb(250, 210, 60),
            qRgb(150, 150, 146), qRgb(100, 100, 98), qRgb(190, 150, 96),  qRgb(70, 120, 200),
            qRgb(250, 250, 250)};
}

enum Object {
    Empty, Wall, WallWindow, Door, RoofRed_, RoofRedRidge, RoofBlue_, RoofBlueRidge, Tree, Bush,
    FlowersRed, FlowersYellow, Fence, Well, Sign, Rock, Bridge
};

int ObjectPixel(int chip, int x, int y)
{
    const auto inCircle = [&](int cx, int cy, int r) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    };
    switch (chip) {
    case Wall:
        return (y % 4 == 3) ? WallShade : WallLight;
    case WallWindow:
        if (x >= 4 && x <= 11 && y >= 3 && y <= 11)
            return (x == 4 || x == 11 || y == 3 || y == 11 || x == 7 || y == 7) ? Outline : Glass;
        return (y % 4 == 3) ? WallShade : WallLight;
    case Door:
        if (x >= 3 && x <= 12 && y >= 2)
            return (x == 3 || x == 12 || y == 2) ? Outline : (x == 10 && y == 9 ? FlowerYellow
                                                              : (x % 3 == 0 ? DoorDark : DoorWood));
        return (y % 4 == 3) ? WallShade : WallLight;
    case RoofRed_:
        return ((y + (x / 4) % 2 * 2) % 4 == 0) ? RoofRedDark : RoofRed;
    case RoofRedRidge:
        return y < 4 ? (y == 3 ? Outline : Key) : (((y + (x / 4) % 2 * 2) % 4 == 0) ? RoofRedDark
                                                                                   : RoofRed);
    case RoofBlue_:
        return ((y + (x / 4) % 2 * 2) % 4 == 0) ? RoofBlueDark : RoofBlue;
    case RoofBlueRidge:
        return y < 4 ? (y == 3 ? Outline : Key) : (((y + (x / 4) % 2 * 2) % 4 == 0) ? RoofBlueDark
                                                                                    : RoofBlue);
    case Tree:
        if (x >= 7 && x <= 8 && y >= 11)
            return Trunk;
        if (inCircle(8, 7, 7))
            return (inCircle(6, 5, 3) || Hash(x, y, 9) % 5 == 0) ? Leaf : LeafDark;
        return Key;
    case Bush:
        if (inCircle(5, 10, 5) || inCircle(11, 10, 5))
            return Hash(x, y, 3) % 4 == 0 ? Leaf : LeafDark;
        return Key;
    case FlowersRed:
    case FlowersYellow: {
        const int petal = chip == FlowersRed ? FlowerRed : FlowerYellow;
        for (const auto& [cx, cy] : {std::pair{4, 4}, {11, 6}, {6, 11}, {12, 12}}) {
            if (x == cx && y == cy)
                return White;
            if (std::abs(x - cx) + std::abs(y - cy) == 1)
                return petal;
            if (x == cx && y > cy + 1 && y <= cy + 3)
                return LeafDark;
        }
        return Key;
    }
    case Fence:
        if (x % 8 >= 2 && x % 8 <= 3 && y >= 3 && y <= 14)
            return Plank;
        if ((y >= 5 && y <= 6) || (y >= 10 && y <= 11))
            return Plank;
        return Key;
    case Well:
        if (inCircle(8, 8, 7))
            return inCircle(8, 8, 4) ? WellWater : ((x + y) % 3 == 0 ? StoneDark : Stone);
        return Key;
    case Sign:
        if (x >= 7 && x <= 8 && y >= 9)
            return Trunk;
        if (x >= 2 && x <= 13 && y >= 2 && y <= 9)
            return (x == 2 || x == 13 || y == 2 || y == 9) ? DoorDark
                                                           : (y % 3 == 1 && x > 3 && x < 12 ? Outline
                                                                                            : Plank);
        return Key;
    case Rock:
        if (inCircle(8, 10, 6) && y >= 5)
            return inCircle(6, 8, 2) ? Stone : StoneDark;
        return Key;
    case Bridge:
        return (x % 4 == 0) ? DoorDark : (y == 0 || y == 15 ? Outline : Plank);
    default:
        return Key;
    }
}

}  // namespace

QImage DrawGroundSheet()
{
    QImage sheet(8 * kChip, 4 * kChip, QImage::Format_RGB888);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, GroundPixel((y / kChip) * 8 + x / kChip, x, y));
    return sheet;
}

QImage DrawObjectSheet()
{
    QImage sheet(8 * kChip, 4 * kChip, QImage::Format_Indexed8);
    sheet.setColorTable(ObjectPalette());
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, static_cast<uint>(ObjectPixel((y / kChip) * 8 + x / kChip,
                                                               x % kChip, y % kChip)));
    return sheet;
}

namespace {

class CTown {
public:
    explicit CTown(CQuelpDoc& doc) : doc_(doc) {}

    void Set(int layer, int x, int y, int chip)
    {
        if (x < 0 || y < 0 || x >= kColumns || y >= kRows)
            return;
        CLayerData& l = doc_.Layers[static_cast<std::size_t>(layer)];
        if (!l.Cells)
            l.Cells.emplace(static_cast<std::size_t>(kColumns * kRows), int16_t{-1});
        (*l.Cells)[static_cast<std::size_t>(y * kColumns + x)] = static_cast<int16_t>(chip);
    }
    void Fill(int layer, int left, int top, int right, int bottom, int chip)
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                Set(layer, x, y, chip);
    }
    // A house: ridge row, roof rows, then two wall rows with a door.
    void House(int left, int top, int width, bool red, int doorX)
    {
        const int ridge = red ? RoofRedRidge : RoofBlueRidge;
        const int roof = red ? RoofRed_ : RoofBlue_;
        Fill(1, left, top, left + width - 1, top, ridge);
        Fill(1, left, top + 1, left + width - 1, top + 2, roof);
        for (int x = left; x < left + width; ++x) {
            Set(1, x, top + 3, (x - left) % 2 == 1 ? WallWindow : Wall);
            Set(1, x, top + 4, x == doorX ? Door : Wall);
        }
    }

private:
    CQuelpDoc& doc_;
};

CMemo Label(const char* utf8, int x, int y, int points, uint32_t color)
{
    CMemo memo;
    memo.Text = Cp932(utf8);
    memo.Size = points;
    memo.Color = color;
    // Full-width characters are one em wide at 96 dots per inch.
    const int em = points * 96 / 72;
    const int characters = static_cast<int>(memo.Text.size()) / 2;
    memo.Rect = {x, y, x + characters * em, y + em * 4 / 3};
    return memo;
}

CEventData Transfer(int left, int top, int right, int bottom, int type, const std::string& map,
                int toX, int toY, const char* remark)
{
    CEventData event;
    event.Type = type;
    event.Rect = {left, top, right, bottom};
    event.Map = map;
    event.Pos = {toX, toY};
    event.Rem = Cp932(remark);
    return event;
}

}  // namespace

void BuildExampleTown(CQuelpDoc& doc, const std::string& folder)
{
    doc.Columns = kColumns;
    doc.Rows = kRows;
    int w = ChipWidth, h = ChipHeight;
    LoadChipPage(doc.ChipPages[0], folder + "ground.png", w, h);
    LoadChipPage(doc.ChipPages[1], folder + "objects.png", w, h);
    doc.Layers[0].Name = Cp932("地面");
    doc.Layers[0].ChipPage = 0;
    doc.Layers[1].Name = Cp932("建物");
    doc.Layers[1].ChipPage = 1;
    doc.Layers[2].Name = Cp932("飾り");
    doc.Layers[2].ChipPage = 1;
    doc.Layers[2].SaveType = 3;

    CTown town(doc);
    // Ground: grass, the river on the west with its banks, the roads, the plaza and the fields.
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            const uint32_t h = Hash(x, y, 77) % 10;
            town.Set(0, x, y, h < 6 ? Grass : (h < 8 ? GrassTufts : GrassDark));
        }
    for (int y = 0; y < kRows; ++y) {
        town.Set(0, 4, y, Sand);
        town.Fill(0, 5, y, 7, y, (y % 3 == 1) ? WaterRipple : Water);
        town.Set(0, 8, y, Sand);
    }
    town.Fill(0, 0, 14, 3, 15, Road);
    town.Fill(0, 9, 14, kColumns - 1, 15, Road);
    town.Fill(0, 20, 3, 21, kRows - 1, Road);
    town.Fill(0, 17, 11, 24, 18, Plaza);
    town.Fill(0, 10, 24, 16, 28, Soil);
    for (int x = 10; x <= 16; x += 2)
        town.Fill(0, x, 25, x, 27, Crops);
    town.Fill(1, 5, 14, 7, 15, Bridge);

    // Buildings: the inn, the shop and two houses.
    town.House(11, 4, 6, true, 13);
    town.House(25, 5, 5, false, 27);
    town.House(25, 19, 5, true, 26);
    town.House(11, 18, 5, false, 14);

    // Trees round the edge, bushes, flowers, the well, a sign, rocks, the field fence.
    for (int x = 0; x < kColumns; ++x) {
        if (x >= 4 && x <= 8)
            continue;
        if (x % 3 != 1)
            town.Set(2, x, 0, Tree);
        if (x % 4 == 2 && (x < 19 || x > 22))
            town.Set(2, x, kRows - 1, Tree);
    }
    for (int y = 2; y < kRows - 1; y += 3)
        if (y < 13 || y > 16)
            town.Set(2, kColumns - 1, y, Tree);
    for (int y = 2; y < 12; y += 2)
        town.Set(2, 1, y, Tree);
    for (const auto& [x, y] : {std::pair{10, 10}, {17, 10}, {24, 11}, {31, 8}, {31, 22}, {9, 22}})
        town.Set(2, x, y, Bush);
    for (const auto& [x, y] : {std::pair{12, 10}, {15, 10}, {26, 11}, {28, 11}, {27, 24}})
        town.Set(2, x, y, FlowersRed);
    for (const auto& [x, y] : {std::pair{13, 23}, {24, 17}, {17, 17}, {34, 3}, {35, 26}})
        town.Set(2, x, y, FlowersYellow);
    town.Set(2, 19, 12, Well);
    town.Set(2, 37, 13, Sign);
    for (const auto& [x, y] : {std::pair{2, 20}, {3, 27}, {34, 17}, {9, 2}})
        town.Set(2, x, y, Rock);
    town.Fill(2, 9, 23, 17, 23, Fence);
    town.Fill(2, 9, 29, 17, 29, Fence);

    // Doors, the road out and the well.
    doc.Events.Append(Transfer(13, 8, 13, 8, 0, folder + "inn.mpx", 5, 9, "宿屋の入口"));
    doc.Events.Append(Transfer(27, 9, 27, 9, 0, folder + "shop.mpx", 4, 7, "道具屋の入口"));
    doc.Events.Append(Transfer(39, 14, 39, 15, 0, folder + "field.mpx", 0, 14, "東の草原へ"));
    CEventData well = Transfer(19, 12, 19, 12, 5, "", 0, 0, "井戸を調べる");
    well.Option[0] = 1;
    doc.Events.Append(well);

    doc.Texts.Append(Label("はじまりの町", 13 * 16, 1 * 16 + 2, 16, 0x00FFFFFF));
    doc.Texts.Append(Label("宿屋", 12 * 16 + 8, 3 * 16 - 2, 11, 0x00000000));
    doc.Texts.Append(Label("道具屋", 25 * 16 + 4, 4 * 16 - 2, 11, 0x00000000));
    doc.Texts.Append(Label("東の草原", 34 * 16 + 4, 12 * 16 - 4, 11, 0x00FFFFFF));
    doc.TextOption = "town";
    doc.IntOptions[0] = 1;
}
