#include "mapdocumentfile.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "mapfile/atomicfile.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"
#include "mapfile/ptnmatch.h"

std::string MapFolderOf(const std::string& pathCp932)
{
    std::string folder;
    CPtnMatch::GetFolder(folder, pathCp932);
    return folder;
}

bool LoadMapFile(CQuelpDoc& doc, const std::string& pathCp932, std::string& error, bool* notAMap)
{
    // The largest map (512 x 512, eight full layers) is under 20 MB; far beyond that a file is
    // no map, and reading it would only fill the memory.
    constexpr std::size_t kLargestMapFile = std::size_t{256} << 20;
    const std::string local = LocalPathFromCp932(pathCp932);
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(local, bytes, reason, kLargestMapFile)) {
        error = "cannot read \"" + local + "\": " + reason;
        return false;
    }
    const MapReadStats stats = ReadMapFile(doc, bytes, MapFolderOf(pathCp932));
    if (notAMap)
        *notAMap = stats.Blocks == 0;
    doc.PathName = pathCp932;
    doc.SetModifiedFlag(false);
    return true;
}

bool SaveMapFile(CQuelpDoc& doc, const std::string& pathCp932, std::string& error)
{
    std::string bytes;
    WriteMapFile(doc, bytes, MapFolderOf(pathCp932));
    const std::string local = LocalPathFromCp932(pathCp932);
    std::string reason;
    if (!WriteFileAtomically(local, bytes, reason)) {
        error = "cannot write \"" + local + "\": " + reason;
        return false;
    }
    doc.PathName = pathCp932;
    doc.SetModifiedFlag(false);
    return true;
}
