#include "mapfileio.h"

#include "mapfile/mapdocumentfile.h"

MapFileIo DefaultMapFileIo()
{
    MapFileIo io;
    io.Load = [](CQuelpDoc& doc, const std::string& path, std::string& error) {
        return LoadMapFile(doc, path, error);
    };
    io.Save = [](CQuelpDoc& doc, const std::string& path, std::string& error) {
        return SaveMapFile(doc, path, error);
    };
    return io;
}
