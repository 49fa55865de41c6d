#pragma once

#include "chippage.h"
#include "databuffer.h"
#include "eventdata.h"
#include "geometry.h"
#include "layerdata.h"
#include "memo.h"
#include "recordlist.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class IDocObserver;
class ISettingsStore;
class IUiPort;

inline constexpr int kLayerCount = 8;
inline constexpr int kChipPageCount = 8;
inline constexpr int kUndoDepth = 10;
inline constexpr int kEventsTab = 8;
inline constexpr int kTextsTab = 9;

/** The one map document: layers, chip pages, sizes, properties, events, texts and the editing
 *  state kept between gestures. Operations of other subsystems are free functions in their
 *  folders taking the document. */
class CQuelpDoc {
public:
    CQuelpDoc(ISettingsStore& store, IUiPort& ui);
    CQuelpDoc(const CQuelpDoc&) = delete;
    CQuelpDoc& operator=(const CQuelpDoc&) = delete;

    // --- the framework document's part ---
    /** Full path of the map file, CP932 bytes; empty for a map never saved. */
    std::string PathName;
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    bool IsModified() const { return modified_; }
    /** The file name of PathName, or "無題" (CP932) for a map never saved. */
    std::string GetTitle() const;

    void AddView(IDocObserver* view);
    void RemoveView(IDocObserver* view);
    /** Tells every view what to redraw; hint is a set of UpdateHint bits. */
    void UpdateAllViews(IDocObserver* sender, int hint);

    ISettingsStore& Store() const { return store_; }
    IUiPort& Ui() const { return ui_; }

    // --- members, in declaration order ---
    std::array<CLayerData, kLayerCount> Layers;
    int CurrentTab = 0;          ///< 0..7 layer position, 8 events, 9 texts
    std::array<CChipPage, kChipPageCount> ChipPages;
    int Columns = 50;            ///< map width in cells
    int Rows = 50;               ///< map height in cells
    int Zoom = 4;                ///< quarters: 4 full size
    int Grid = 0;
    int ButtonDown = 0;          ///< 0 none, 1 left, 2 right
    IntPoint DragAnchor;
    IntPoint DragPoint;
    int EditMode = 0;            ///< 0 normal, 1 layer selection, 2 all layers, 3 text move, 4 text copy
    int SelectPhase = 0;         ///< 0 nothing, 1 rectangle selected, 2 block or text floating
    RegionSnapshot Clipboard;
    IntPoint PastePos;
    int MovingText = 0;
    std::array<RegionSnapshot, kUndoDepth> UndoRing;
    int UndoCount = 0;
    int UndoNext = 0;
    RecordList<CMemo> Texts;
    uint32_t TextColor = 0;
    unsigned char PendingLead = 0;
    int ViewEvent = 0;
    int ViewText = 1;
    std::string FontFace;        ///< CP932 "ＭＳ Ｐゴシック"
    std::string TypedText;       ///< CP932 bytes being typed on the map
    IntPoint TypePos;            ///< full-size map pixels
    int FontSize = 0;
    int SaveText = 1;
    RecordList<CEventData> Events;
    int SaveEvent = 0;
    int SaveEventMap = 0;
    int SaveEventRem = 0;
    std::string BType;
    int SelectedLayerOnly = 0;
    std::string TextOption;
    int IntOptions[4] = {0, 0, 0, 0};

    // --- operations ---
    /** The new-map reset; always true. */
    bool OnNewDocument();
    void ClearChipPage(int slot);
    void ClearUndo();
    /** Ends any selection or floating block; a pending text move or copy is abandoned too. */
    void DropSelection();
    void DiscardTypedText();
    /** The layer record with that identity, scanning positions 0..7, or nullptr. */
    CLayerData* FindLayer(int layerId);
    const CLayerData* FindLayer(int layerId) const;
    /** Map size in map pixels at a zoom in quarters. */
    IntSize GetMapPixelSize(int zoom) const;
    bool AnyLayerHasGrid() const;

    void LoadDefaultSettings();
    void SaveDefaultSettings();

    /** The current layer record, or nullptr on the events and texts tabs. */
    CLayerData* CurrentLayer();
    const CLayerData* CurrentLayer() const;

private:
    ISettingsStore& store_;
    IUiPort& ui_;
    bool modified_ = false;
    std::vector<IDocObserver*> views_;
};

/** "ＭＳ Ｐゴシック" as CP932 bytes: the face of every text on the map. */
const std::string& MapFontFace();
