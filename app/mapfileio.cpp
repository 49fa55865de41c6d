#include "mapfileio.h"

#include "mapfile/mapdocumentfile.h"

MapFileIo DefaultMapFileIo()
{
    MapFileIo io;
    io.Load = [](CQuelpDoc& doc, const std::string& path, std::string& error,
                 MapLoadReport& report) {
        return LoadMapFile(doc, path, error, &report.NotAMap, &report.UnreadSheets);
    };
    io.Save = [](CQuelpDoc& doc, const std::string& path, std::string& error) {
        return SaveMapFile(doc, path, error);
    };
    return io;
}
