#include "uninstaller/script/ScriptParser.h"

#include <string_view>

#include "common/xz/XzFormat.h"

namespace qv::uninst {

std::optional<ParsedScript> Dq(const std::vector<std::string>& lines) {
    const std::size_t n = lines.size();
    // A position past the end reads as an empty line, as the list box gives it.
    auto line = [&](std::size_t i) { return i < n ? std::string_view(lines[i]) : ""; };

    ParsedScript script;
    // Every text marker the walk meets clears the message and fills it again, so only the
    // last one it meets decides the result; filling once from that one gives the same
    // text without going over the same lines again for every marker.
    std::optional<std::size_t> lastTextMarker;
    std::size_t listBytes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (line(i) == xz::kTitleBegin) {
            script.title = std::string(line(i + 1));
            i += 2;
        }
        if (line(i) == xz::kTextBegin) lastTextMarker = i;
        if (line(i) == xz::kDeleteBegin) {
            for (std::size_t k = i + 1; k < n && line(k) != xz::kDeleteEnd; ++k) {
                listBytes += line(k).size();
                if (script.deleteList.size() >= xz::kMaxDeleteEntries ||
                    listBytes > xz::kMaxListBytes) {
                    return std::nullopt;
                }
                script.deleteList.emplace_back(line(k));
            }
        }
    }
    if (lastTextMarker) {
        std::string text;
        for (std::size_t j = *lastTextMarker + 1; j < n && line(j) != xz::kTextEnd; ++j) {
            text.append(line(j));
            text.append("\r\n");
        }
        script.text = std::move(text);
    }
    return script;
}

}  // namespace qv::uninst
