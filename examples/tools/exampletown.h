#pragma once

#include <QImage>
#include <string>

class CQuelpDoc;

// The example town: two tile sheets drawn pixel by pixel (no outside art) and a 40 x 30 map on
// three layers with events and texts.

/** The ground sheet: 24-bit, 8 x 4 chips of 16 pixels. */
QImage DrawGroundSheet();
/** The object sheet: 8-bit with a colour table, entry 0 the transparent key, 8 x 4 chips. */
QImage DrawObjectSheet();

/** Fills the document with the town; sheets are named in folder (CP932, ending with '/') as
 *  ground.png and objects.png and must already be there. */
void BuildExampleTown(CQuelpDoc& doc, const std::string& folder);
