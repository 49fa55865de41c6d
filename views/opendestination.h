#pragma once

#include <QString>
#include <functional>

class CQuelpDoc;

/** Starts the program on a map file (a local path). */
using MapLauncher = std::function<bool(const QString& localPath)>;

/** A launcher that starts a second instance of this program on the map. */
MapLauncher SecondInstanceLauncher();

/** 32850: opens the destination map of event index. The name is looked up as stored (a
 *  relative name from the current directory), then beside the open map; when no such file
 *  exists, "マップファイルが存在しません。" is shown. Returns whether a launch was asked. */
bool OpenDestination(CQuelpDoc& doc, int index, const MapLauncher& launch);
/** 32850 is enabled when the event's map name is not empty. */
bool OpenDestinationEnabled(const CQuelpDoc& doc, int index);
