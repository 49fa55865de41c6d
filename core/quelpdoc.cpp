#include "quelpdoc.h"

#include "chipsize.h"
#include "cp932.h"
#include "docobserver.h"
#include "settingsstore.h"
#include "updatehint.h"

#include <algorithm>
#include <cstdio>

const std::string& MapFontFace()
{
    static const std::string face = Cp932("ＭＳ Ｐゴシック");
    return face;
}

CQuelpDoc::CQuelpDoc(ISettingsStore& store, IUiPort& ui)
    : FontFace(MapFontFace()), store_(store), ui_(ui)
{
}

std::string CQuelpDoc::GetTitle() const
{
    if (PathName.empty())
        return Cp932("無題");
    // The name after the last separator; a 0x5C trail byte is no separator.
    size_t start = 0;
    for (size_t i = 0; i < PathName.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(PathName[i]);
        if (IsCp932LeadByte(c) && i + 1 < PathName.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/')
            start = i + 1;
    }
    return PathName.substr(start);
}

void CQuelpDoc::AddView(IDocObserver* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void CQuelpDoc::RemoveView(IDocObserver* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CQuelpDoc::UpdateAllViews(IDocObserver* sender, int hint)
{
    // A view may detach itself while being told; walk a copy.
    const std::vector<IDocObserver*> views = views_;
    for (IDocObserver* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}

bool CQuelpDoc::OnNewDocument()
{
    PathName.clear();
    SetModifiedFlag(false);

    for (int i = 0; i < kLayerCount; ++i) {
        ClearChipPage(i);
        CLayerData& layer = Layers[i];
        layer.Reset(i);
        char name[16];
        std::snprintf(name, sizeof name, "LY%01d", i);
        layer.Name = name;
    }
    CurrentTab = 0;
    Zoom = 4;
    Grid = 1;
    ButtonDown = 0;
    SelectedLayerOnly = 0;
    TextOption.clear();
    std::fill(std::begin(IntOptions), std::end(IntOptions), 0);

    LoadDefaultSettings();

    EditMode = 0;
    SelectPhase = 0;
    Clipboard.Clear();
    PastePos = {0, 0};

    ClearUndo();

    Texts.RemoveAll();
    Events.RemoveAll();

    ViewText = 1;
    ViewEvent = 0;

    TypedText.clear();
    TypePos = {0, 0};
    PendingLead = 0;

    UpdateAllViews(nullptr, 0x17);
    return true;
}

void CQuelpDoc::ClearChipPage(int slot)
{
    CChipPage& page = ChipPages[slot];
    page.Image.Destroy();
    page.Prepared = QImage();
    page.ChipKinds.clear();
    page.FilePath.clear();
    page.ChipWidth = 0;
    page.ChipHeight = 0;
    page.Columns = 0;
    page.Rows = 0;
    page.LeftChip = -1;
    page.RightChip = -1;
}

void CQuelpDoc::ClearUndo()
{
    for (RegionSnapshot& entry : UndoRing)
        entry.Clear();
    UndoCount = 0;
    UndoNext = 0;
}

void CQuelpDoc::DropSelection()
{
    // A text move or copy lives on PastePos; once that is gone, completing it would throw the
    // text into the map's corner, so the move is abandoned with it.
    if (EditMode == 3 || EditMode == 4)
        EditMode = 0;
    SelectPhase = 0;
    Clipboard.Clear();
    PastePos = {0, 0};
}

void CQuelpDoc::DiscardTypedText()
{
    if (TypedText.empty())
        return;
    TypedText.clear();
    TypePos = {0, 0};
    PendingLead = 0;
    UpdateAllViews(nullptr, HintMapView);
}

CLayerData* CQuelpDoc::FindLayer(int layerId)
{
    for (CLayerData& layer : Layers)
        if (layer.LayerId == layerId)
            return &layer;
    return nullptr;
}

const CLayerData* CQuelpDoc::FindLayer(int layerId) const
{
    return const_cast<CQuelpDoc*>(this)->FindLayer(layerId);
}

IntSize CQuelpDoc::GetMapPixelSize(int zoom) const
{
    const int w = Columns * ChipWidth * zoom;
    const int h = Rows * ChipHeight * zoom;
    return {static_cast<int>(w * 0.25), static_cast<int>(h * 0.25)};
}

bool CQuelpDoc::AnyLayerHasGrid() const
{
    return std::any_of(Layers.begin(), Layers.end(),
                       [](const CLayerData& layer) { return layer.HasGrid(); });
}

CLayerData* CQuelpDoc::CurrentLayer()
{
    return (CurrentTab >= 0 && CurrentTab < kLayerCount) ? &Layers[CurrentTab] : nullptr;
}

const CLayerData* CQuelpDoc::CurrentLayer() const
{
    return const_cast<CQuelpDoc*>(this)->CurrentLayer();
}

void CQuelpDoc::LoadDefaultSettings()
{
    TextColor = static_cast<uint32_t>(store_.ReadInt(kDefaultSection, "TextColor", 0));
    FontSize = store_.ReadInt(kDefaultSection, "FontSize", 14);
    SaveText = store_.ReadInt(kDefaultSection, "SaveText", 0);
    SaveEvent = store_.ReadInt(kDefaultSection, "SaveEvent", 1);
    SaveEventMap = store_.ReadInt(kDefaultSection, "SaveEventMap", 0);
    SaveEventRem = store_.ReadInt(kDefaultSection, "SaveEventRem", 0);
    BType = store_.ReadString(kDefaultSection, "BType", "mpb");
}

void CQuelpDoc::SaveDefaultSettings()
{
    store_.WriteInt(kDefaultSection, "TextColor", static_cast<int>(TextColor));
    store_.WriteInt(kDefaultSection, "FontSize", FontSize);
    store_.WriteInt(kDefaultSection, "SaveText", SaveText);
    store_.WriteInt(kDefaultSection, "SaveEvent", SaveEvent);
    store_.WriteInt(kDefaultSection, "SaveEventMap", SaveEventMap);
    store_.WriteInt(kDefaultSection, "SaveEventRem", SaveEventRem);
    store_.WriteString(kDefaultSection, "BType", BType);
}
