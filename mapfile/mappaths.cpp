#include "mappaths.h"

#include "core/cp932.h"
#include "mapfile/ptnmatch.h"

#include <sys/stat.h>

bool FileExistsCp932(const std::string& pathCp932)
{
    if (pathCp932.empty())
        return false;
    struct stat st {};
    const std::string local = LocalPathFromCp932(pathCp932);
    return ::stat(local.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string SlashSeparators(const std::string& pathCp932)
{
    std::string out = pathCp932;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsCp932LeadByte(c)) {
            ++i;  // its trail byte may be 0x5C and is no separator
            continue;
        }
        if (c == '\\')
            out[i] = '/';
    }
    return out;
}

std::string ResolveStoredPath(const std::string& pathCp932)
{
    const std::string slashed = SlashSeparators(pathCp932);
    if (slashed == pathCp932 || FileExistsCp932(pathCp932))
        return pathCp932;
    return FileExistsCp932(slashed) ? slashed : pathCp932;
}

std::string ToStoredPath(const std::string& pathCp932, const std::string& folderCp932)
{
    // GetFolder of the folder gives it whole only when it ends with a real separator (a trail
    // byte 0x5C is none): a bare prefix such as /tmp/maps must not cut /tmp/mapsX/a.png.
    std::string folderPart;
    CPtnMatch::GetFolder(folderPart, folderCp932);
    if (folderCp932.empty() || folderPart.size() != folderCp932.size() ||
        pathCp932.compare(0, folderCp932.size(), folderCp932) != 0)
        return pathCp932;
    return kMapFolderPlaceholder + pathCp932.substr(folderCp932.size());
}

std::string FromStoredPath(const std::string& storedCp932, const std::string& folderCp932)
{
    const std::string_view placeholder(kMapFolderPlaceholder);
    if (storedCp932.compare(0, placeholder.size(), placeholder) != 0)
        return storedCp932;
    return folderCp932 + storedCp932.substr(placeholder.size());
}
