#include "recoveryoffer.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/recoverystore.h"

std::string RecoveryQuestion(const std::string& originalPathCp932)
{
    std::string text = Cp932("前回異常終了したときの編集内容が残っています。復元しますか?");
    text += "\n\n";
    text += originalPathCp932.empty() ? Cp932("無題") : originalPathCp932;
    return text;
}

void RestoreRecoveryCopy(CQuelpDoc& doc, const CStaleCopy& copy)
{
    ReadMapFile(doc, copy.Bytes, MapFolderOf(copy.OriginalPath));
    doc.PathName = copy.OriginalPath;
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, 0);
}

bool OfferRecovery(CQuelpDoc& doc, CRecoveryStore& store)
{
    std::vector<CStaleCopy> copies = store.ClaimStaleCopies();
    for (CStaleCopy& copy : copies) {
        if (!doc.Ui().AskYesNo(RecoveryQuestion(copy.OriginalPath))) {
            store.Discard(copy);
            continue;
        }
        RestoreRecoveryCopy(doc, copy);
        store.Adopt(copy);
        return true;
    }
    return false;
}
