#pragma once

#include "dialogvalues.h"

class CQuelpDoc;

/** Fills the settings dialog's values from the document; "make default" starts unchecked. */
SettingsDialogValues SettingsValuesFromDocument(const CQuelpDoc& doc);

/** Copies, property by property in the dialog's order, what differs into the document; the font
 *  size only when its decimal prefix lies in 10..38. Returns whether anything changed. */
bool ApplySettings(const SettingsDialogValues& values, CQuelpDoc& doc);

/** The settings command: ends pending edits, runs the dialog through the UI port, applies it,
 *  and writes the defaults when asked. */
void OnSettings(CQuelpDoc& doc);
