#include "common/worms/CommandPayloads.h"

#include <cctype>
#include <unordered_set>

#include "common/removal/DrivePath.h"
#include "common/worms/DriveNames.h"

namespace qv::worms {

namespace {

bool splitsWords(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == '&' || c == '|';
}

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::vector<std::string> commandWords(std::string_view command) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    for (char c : command) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && splitsWords(c)) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::string fileOnDrive(std::string_view word, std::string_view root) {
    if (root.size() != 3) return {};
    if (word.size() >= 3 && folded(word[0]) == folded(root[0]) && word[1] == ':' &&
        (word[2] == '\\' || word[2] == '/')) {
        word.remove_prefix(3);
    }
    std::optional<std::string> path = fileBelowRoot(root, word);
    if (!path) return {};
    return removal::plainDrivePath(*path).value_or(std::string());
}

std::vector<std::string> namedFiles(std::string_view command, std::string_view root) {
    std::vector<std::string> files;
    std::unordered_set<std::string> seen;
    for (const std::string& word : commandWords(command)) {
        if (files.size() == kMostNamedFiles) break;
        std::string path = fileOnDrive(word, root);
        if (!path.empty() && seen.insert(foldedName(path)).second) files.push_back(std::move(path));
    }
    return files;
}

}  // namespace qv::worms
