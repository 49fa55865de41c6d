#include "settings.h"

#include "decimal.h"
#include "quelpdoc.h"
#include "uiport.h"
#include "updatehint.h"

#include <string>

SettingsDialogValues SettingsValuesFromDocument(const CQuelpDoc& doc)
{
    SettingsDialogValues v;
    v.BType = doc.BType;
    v.SaveEvent = doc.SaveEvent;
    v.SaveEventMap = doc.SaveEventMap;
    v.SaveEventRem = doc.SaveEventRem;
    v.FontSizeText = std::to_string(doc.FontSize);
    v.Color = doc.TextColor;
    v.SaveText = doc.SaveText;
    v.MakeDefault = false;
    v.TextOption = doc.TextOption;
    for (int i = 0; i < 4; ++i)
        v.IntOptions[i] = doc.IntOptions[i];
    return v;
}

namespace {
template <class T>
void CopyIfDifferent(const T& from, T& to, bool& changed)
{
    if (from != to) {
        to = from;
        changed = true;
    }
}
}  // namespace

bool ApplySettings(const SettingsDialogValues& v, CQuelpDoc& doc)
{
    bool changed = false;
    CopyIfDifferent(v.Color, doc.TextColor, changed);
    const int size = DecimalPrefix(v.FontSizeText);
    if (size >= 10 && size <= 38)
        CopyIfDifferent(size, doc.FontSize, changed);
    CopyIfDifferent(v.SaveText, doc.SaveText, changed);
    CopyIfDifferent(v.SaveEvent, doc.SaveEvent, changed);
    CopyIfDifferent(v.SaveEventMap, doc.SaveEventMap, changed);
    CopyIfDifferent(v.SaveEventRem, doc.SaveEventRem, changed);
    CopyIfDifferent(v.BType, doc.BType, changed);
    CopyIfDifferent(v.TextOption, doc.TextOption, changed);
    for (int i = 0; i < 4; ++i)
        CopyIfDifferent(v.IntOptions[i], doc.IntOptions[i], changed);
    return changed;
}

void OnSettings(CQuelpDoc& doc)
{
    doc.DiscardTypedText();
    doc.DropSelection();
    doc.UpdateAllViews(nullptr, 7);

    SettingsDialogValues values = SettingsValuesFromDocument(doc);
    if (!doc.Ui().RunSettingsDialog(values))
        return;
    if (ApplySettings(values, doc)) {
        doc.SetModifiedFlag(true);
        doc.UpdateAllViews(nullptr, HintMapView | HintCaretShow);
    }
    if (values.MakeDefault)
        doc.SaveDefaultSettings();
}
