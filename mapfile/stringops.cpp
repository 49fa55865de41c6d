// String and path operations over CP932 bytes: searches step over double-byte characters.
#include "mapfile/ptnmatch.h"

#include "core/cp932.h"

namespace {

std::size_t Width(std::string_view s, std::size_t i)
{
    return IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// First occurrence of sep starting on a character boundary, or npos.
std::size_t FindChar(std::string_view str, std::string_view sep)
{
    for (std::size_t i = 0; i + sep.size() <= str.size(); i += Width(str, i)) {
        if (str.compare(i, sep.size(), sep) == 0)
            return i;
    }
    return std::string_view::npos;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

}  // namespace

int CPtnMatch::SplitFirst(std::string_view str, std::string_view sep, std::string& head,
                          std::string& tail)
{
    const std::size_t at = sep.empty() ? std::string_view::npos : FindChar(str, sep);
    if (at == std::string_view::npos) {
        std::string whole(str);
        head = std::move(whole);
        tail.clear();
        return 0;
    }
    std::string before(str.substr(0, at));
    std::string after(str.substr(at + sep.size()));
    head = std::move(before);
    tail = std::move(after);
    return 1;
}

int CPtnMatch::SplitString(std::string_view str, std::string_view sep,
                           std::vector<std::string>& list)
{
    std::vector<std::string> pieces;
    std::string rest(str);
    std::string head;
    std::string tail;
    while (SplitFirst(rest, sep, head, tail)) {
        pieces.push_back(head);
        rest.swap(tail);
    }
    pieces.push_back(std::move(rest));
    list = std::move(pieces);
    return static_cast<int>(list.size());
}

int CPtnMatch::ReplaceAll(std::string& str, std::string_view oldText, std::string_view newText)
{
    std::vector<std::string> pieces;
    const int count = SplitString(str, oldText, pieces);
    if (count == 1)
        return 0;
    std::string joined = pieces[0];
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        joined += newText;
        joined += pieces[i];
    }
    str = std::move(joined);
    return count - 1;
}

int CPtnMatch::GetFolder(std::string& folder, std::string_view path)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += Width(path, i)) {
        if (IsSeparator(path[i]))
            last = i;
    }
    if (last == std::string_view::npos) {
        folder.clear();
        return 0;
    }
    std::string result(path.substr(0, last + 1));
    folder = std::move(result);
    return 1;
}

int CPtnMatch::SplitPath(std::string& folder, std::string& name, std::string_view path)
{
    if (path.empty()) {
        folder.clear();
        name.clear();
        return 0;
    }
    std::string dir;
    GetFolder(dir, path);
    std::string_view rest = path.substr(dir.size());
    if (!rest.empty() && IsSeparator(rest.front()))
        rest.remove_prefix(1);
    std::string file(rest);
    folder = std::move(dir);
    name = std::move(file);
    return 1;
}

int CPtnMatch::SplitPathExt(std::string& folder, std::string& base, std::string& ext,
                            std::string_view path)
{
    if (path.empty()) {
        folder.clear();
        base.clear();
        ext.clear();
        return 0;
    }
    std::string dir;
    std::string name;
    SplitPath(dir, name, path);
    // "." is never a trail byte, so the last one found bytewise is a character.
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    if (dot != std::string::npos)
        name.resize(dot);
    folder = std::move(dir);
    base = std::move(name);
    ext = std::move(extension);
    return 1;
}

int CPtnMatch::GetByteType(std::string_view str, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= str.size())
        return -1;
    const auto at = static_cast<std::size_t>(index);
    std::size_t i = 0;
    while (i < at) {
        const std::size_t w = Width(str, i);
        if (w == 2 && i + 1 == at)
            return 2;
        i += w;
    }
    return IsCp932LeadByte(static_cast<unsigned char>(str[at])) ? 1 : 0;
}
