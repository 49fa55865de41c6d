#include "textedit.h"

#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "core/updatehint.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kHintTextDone = HintMapView | HintCaretShow;  // 66

bool IsTextMode(int editMode)
{
    return editMode == 3 || editMode == 4;
}

bool IsCp932TrailByte(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length in bytes of the last character: 2 when the last byte is the trail of a lead byte.
size_t LastCharStart(const std::string& text)
{
    size_t i = 0;
    size_t start = 0;
    while (i < text.size()) {
        const bool pair = IsCp932LeadByte(static_cast<unsigned char>(text[i])) &&
                          i + 1 < text.size();
        start = i;
        i += pair ? 2 : 1;
    }
    return start;
}

void EndTextFloat(CQuelpDoc& doc)
{
    doc.EditMode = 0;
    doc.DropSelection();
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintTextDone);
}

}  // namespace

bool TypeChar(CQuelpDoc& doc, unsigned char code)
{
    // Only a trail byte completes a pending lead byte; anything else drops the lone lead byte
    // and is taken on its own, so that no invalid pair is ever stored.
    if (doc.PendingLead != 0 && !IsCp932TrailByte(code))
        doc.PendingLead = 0;
    if (doc.PendingLead != 0) {
        const char pair[2] = {static_cast<char>(doc.PendingLead), static_cast<char>(code)};
        doc.TypedText.append(pair, sizeof pair);
        doc.PendingLead = 0;
        doc.UpdateAllViews(nullptr, HintMapView);
        return true;
    }
    if (IsCp932LeadByte(code)) {
        doc.PendingLead = code;
        return false;
    }
    // Half-width katakana (0xA1-0xDF) are single-byte characters of the code page too; refusing
    // them would make what the user typed vanish.
    if ((code >= 0x20 && code <= 0x7E) || (code >= 0xA1 && code <= 0xDF)) {
        doc.TypedText.push_back(static_cast<char>(code));
        doc.UpdateAllViews(nullptr, HintMapView);
        return true;
    }
    switch (code) {
    case 8:
        if (doc.TypedText.size() < 2)
            doc.TypedText.clear();
        else
            doc.TypedText = doc.TypedText.substr(0, LastCharStart(doc.TypedText));
        doc.UpdateAllViews(nullptr, HintMapView);
        return true;
    case 10:
    case 13:
        CommitTypedText(doc);  // tells the map view itself
        return true;
    case 27:
        // A lone lead byte must not pair with whatever is typed next.
        doc.PendingLead = 0;
        if (doc.TypedText.empty())
            doc.UpdateAllViews(nullptr, HintMapView);
        else
            doc.DiscardTypedText();
        return true;
    default:
        return false;
    }
}

void CommitTypedText(CQuelpDoc& doc)
{
    const IntSize size = doc.Ui().MeasureText(doc.TypedText, doc.FontFace, doc.FontSize);
    CMemo memo;
    memo.Text = doc.TypedText;
    memo.Rect = {doc.TypePos.X, doc.TypePos.Y, doc.TypePos.X + size.Width,
                 doc.TypePos.Y + size.Height};
    memo.Size = doc.FontSize;
    memo.Color = doc.TextColor;
    doc.Texts.Append(memo);
    doc.TypedText.clear();
    doc.TypePos = {0, 0};
    doc.PendingLead = 0;
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintMapView);
}

void PlaceTypingPoint(CQuelpDoc& doc)
{
    doc.TypePos = {static_cast<int>(doc.DragAnchor.X * 4.0 / doc.Zoom),
                   static_cast<int>(doc.DragAnchor.Y * 4.0 / doc.Zoom)};
}

void EditText(CQuelpDoc& doc, int index)
{
    CMemo copy = doc.Texts.At(index);
    doc.DiscardTypedText();
    doc.EditMode = 0;
    doc.DropSelection();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView | HintNoView);

    TextDialogValues values;
    values.Text = copy.Text;
    char size[16];
    std::snprintf(size, sizeof size, "%1d", copy.Size);
    values.SizeText = size;
    values.Color = copy.Color;
    if (!doc.Ui().RunTextDialog(values))
        return;
    if (!ApplyTextDialog(values, copy))
        return;
    const IntSize extent = doc.Ui().MeasureText(copy.Text, doc.FontFace, copy.Size);
    copy.Rect.Right = copy.Rect.Left + extent.Width;
    copy.Rect.Bottom = copy.Rect.Top + extent.Height;
    doc.Texts.At(index) = copy;
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintTextDone);
}

void DeleteText(CQuelpDoc& doc, int index)
{
    doc.Texts.RemoveAt(index);
    // A pending move or copy must keep pointing at its own text.
    if (IsTextMode(doc.EditMode)) {
        if (index == doc.MovingText) {
            doc.EditMode = 0;
            doc.DropSelection();
        } else if (index < doc.MovingText) {
            --doc.MovingText;
        }
    }
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintMapView);
}

void StartTextFloat(CQuelpDoc& doc, int index, int mode)
{
    const CMemo& memo = doc.Texts.At(index);
    doc.EditMode = mode;
    doc.SelectPhase = 2;
    doc.MovingText = index;
    doc.PastePos = {memo.Rect.Left, memo.Rect.Top};
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintTextDone);
}

void MoveText(CQuelpDoc& doc, int index)
{
    StartTextFloat(doc, index, 3);
}

void CopyText(CQuelpDoc& doc, int index)
{
    StartTextFloat(doc, index, 4);
}

void DragFloatingText(CQuelpDoc& doc, int x, int y)
{
    const int z = doc.Zoom;
    IntPoint p{static_cast<int>(x * 4.0 / z), static_cast<int>(y * 4.0 / z)};
    const IntPoint clamped{std::clamp(p.X, 0, doc.Columns * ChipWidth),
                           std::clamp(p.Y, 0, doc.Rows * ChipHeight)};
    if (clamped != p) {
        p = clamped;
        doc.Ui().MovePointer({static_cast<int>(p.X * z / 4.0), static_cast<int>(p.Y * z / 4.0)});
    }
    if (doc.MovingText >= 0 && doc.MovingText < doc.Texts.GetCount()) {
        const IntRect& r = doc.Texts.At(doc.MovingText).Rect;
        doc.PastePos = {p.X - (r.Right - r.Left) / 2, p.Y - (r.Bottom - r.Top) / 2};
    }
    doc.UpdateAllViews(nullptr, HintMapView);
}

void CompleteTextFloat(CQuelpDoc& doc)
{
    if (!IsTextMode(doc.EditMode))
        return;
    if (doc.MovingText < 0 || doc.MovingText >= doc.Texts.GetCount()) {
        EndTextFloat(doc);
        return;
    }
    if (doc.EditMode == 4)
        doc.MovingText = doc.Texts.Append(doc.Texts.At(doc.MovingText));
    IntRect& r = doc.Texts.At(doc.MovingText).Rect;
    r = {doc.PastePos.X, doc.PastePos.Y, doc.PastePos.X + (r.Right - r.Left),
         doc.PastePos.Y + (r.Bottom - r.Top)};
    EndTextFloat(doc);
}

void CancelTextFloat(CQuelpDoc& doc)
{
    EndTextFloat(doc);
}

void EnterKey(CQuelpDoc& doc)
{
    if (doc.EditMode > 2)
        CompleteTextFloat(doc);
}

int HitTestText(const CQuelpDoc& doc, int x, int y)
{
    if (doc.CurrentTab != kTextsTab)
        return -1;
    const double scale = doc.Zoom * 0.25;
    const int px = static_cast<int>(x / scale);
    const int py = static_cast<int>(y / scale);
    int index = 0;
    for (const CMemo& memo : doc.Texts) {
        const IntRect& r = memo.Rect;
        if (px >= r.Left && px < r.Right && py >= r.Top && py < r.Bottom)
            return index;
        ++index;
    }
    return -1;
}
