#include "chipcommands.h"

#include "chippages.h"
#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/settingsstore.h"
#include "core/uiport.h"

#include <utility>

namespace {

constexpr int kHintChipPageLoaded = 23;
constexpr int kHintChipSizeChanged = 19;

bool ValidPage(int page)
{
    return page >= 0 && page < kChipPageCount;
}

int SizeFromIndex(int index)
{
    return 16 + 8 * (index < -1 ? -1 : index);
}

}  // namespace

void OnLoadChipPage(CQuelpDoc& doc, int page)
{
    if (!ValidPage(page))
        return;
    FileDialogRequest request;
    request.Open = true;
    request.Filter = Cp932("PNGファイル (*.png)|*.png|Gifフィル (*.gif)|*.gif|"
                           "Bitmapファイル (*.bmp)|*.bmp|");
    const std::optional<std::string> path = doc.Ui().RunFileDialog(request);
    if (!path)
        return;
    LoadChipPage(doc.ChipPages[static_cast<size_t>(page)], *path, ChipWidth, ChipHeight);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintChipPageLoaded);
}

bool OnLoadChipPageEnabled(const CQuelpDoc&)
{
    return true;
}

std::string LoadChipPageMenuText(const CQuelpDoc& doc, int page)
{
    std::string name;
    if (ValidPage(page))
        GetChipPageName(page, doc.ChipPages[static_cast<size_t>(page)], name);
    return name;
}

int ChipSizeListIndex(int pixels)
{
    const int index = (pixels - 16) / 8;
    return index >= 0 && index <= 2 ? index : -1;
}

void OnChipSize(CQuelpDoc& doc)
{
    ChipSizeDialogValues values;
    values.WidthIndex = ChipSizeListIndex(ChipWidth);
    values.HeightIndex = ChipSizeListIndex(ChipHeight);
    values.MakeDefault = false;
    if (!doc.Ui().RunChipSizeDialog(values))
        return;
    ChipWidth = SizeFromIndex(values.WidthIndex);
    ChipHeight = SizeFromIndex(values.HeightIndex);
    for (int i = 0; i < kChipPageCount; ++i) {
        CChipPage& page = doc.ChipPages[static_cast<size_t>(i)];
        if (page.InUse()) {
            CutChipPage(page, ChipWidth, ChipHeight);
        } else {
            // A sheet that could not be read stays named by the map.
            std::string path = std::move(page.FilePath);
            doc.ClearChipPage(i);
            page.FilePath = std::move(path);
        }
    }
    doc.DropSelection();
    // The typed text goes as DiscardTypedText drops it, but hint 19 below repaints anyway.
    doc.TypedText.clear();
    doc.TypePos = {0, 0};
    doc.PendingLead = 0;
    doc.ClearUndo();
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintChipSizeChanged);
    if (values.MakeDefault) {
        doc.Store().WriteInt(kDefaultSection, "ChipWidth", ChipWidth);
        doc.Store().WriteInt(kDefaultSection, "ChipHeight", ChipHeight);
    }
}

bool OnChipSizeEnabled(const CQuelpDoc& doc)
{
    return !doc.AnyLayerHasGrid();
}
