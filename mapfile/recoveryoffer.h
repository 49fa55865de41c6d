#pragma once

#include <string>

class CQuelpDoc;
class CRecoveryStore;
struct CStaleCopy;

/** The question for a copy left behind, CP932: the fixed text, then the map's path or "無題". */
std::string RecoveryQuestion(const std::string& originalPathCp932);

/** Loads a recovery copy into the document as Open loads a map, its sheets found against the
 *  original map's folder. The document's path is the original one (empty when the map never had
 *  one) and it is marked modified, so the user still has to save it. */
void RestoreRecoveryCopy(CQuelpDoc& doc, const CStaleCopy& copy);

/** At start: offers each copy left by an editor that died, newest first, through the UI port's
 *  Yes/No question. Yes restores it (and keeps it as this editor's copy until the next write);
 *  the copies not asked about yet wait for the next start. No removes it. True when a copy was
 *  restored. */
bool OfferRecovery(CQuelpDoc& doc, CRecoveryStore& store);
