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

bool LoadMapFile(CQuelpDoc& doc, const std::string& pathCp932, std::string& error, bool* notAMap,
                 std::vector<UnreadSheet>* unreadSheets)
{
    // The largest map (512 x 512, eight full layers) is under 20 MB; far beyond that a file is
    // no map, and reading it would only fill the memory.
    constexpr std::size_t kLargestMapFile = std::size_t{256} << 20;
    const std::string local = LocalPathFromCp932(pathCp932);
    std::string bytes;
    std::string reason;
    if (notAMap)
        *notAMap = false;
    if (unreadSheets)
        unreadSheets->clear();
    if (!ReadWholeFile(local, bytes, reason, kLargestMapFile)) {
        error = local + ": " + reason;
        return false;
    }
    // A picture or a text file read leniently would replace the map with an empty one, and a
    // later save would write map text over that file: such a file is refused before the
    // document (or the program-wide chip size) is touched.
    if (!HoldsMapBlock(bytes)) {
        if (notAMap)
            *notAMap = true;
        error = local + " はマップファイルではありません。";
        return false;
    }
    const MapReadStats stats = ReadMapFile(doc, bytes, MapFolderOf(pathCp932));
    if (unreadSheets)
        *unreadSheets = stats.UnreadSheets;
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
        error = local + ": " + reason;
        return false;
    }
    doc.PathName = pathCp932;
    doc.SetModifiedFlag(false);
    return true;
}
