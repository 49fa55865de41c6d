#include "mappaths.h"

#include "core/cp932.h"

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
