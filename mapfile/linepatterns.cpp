#include "linepatterns.h"

#include "mapfile/ptnpattern.h"

namespace {

const std::vector<CPtnPattern>& CompiledPatterns()
{
    static const std::vector<CPtnPattern> compiled = [] {
        std::vector<CPtnPattern> all;
        all.reserve(MapLinePatterns.size());
        for (const MapLinePattern& pattern : MapLinePatterns)
            all.emplace_back(pattern.Text);
        return all;
    }();
    return compiled;
}

}  // namespace

bool MatchLine(MapLine kind, std::string_view line, LineGroups& groups)
{
    return CompiledPatterns()[static_cast<std::size_t>(kind)].Match(line, groups);
}
