#include "common/worms/CommandPayloads.h"

#include <cctype>
#include <unordered_set>

#include "common/removal/DrivePath.h"
#include "common/worms/DriveNames.h"

namespace qv::worms {

namespace {

// Blanks, the separators of a list of arguments (',' for rundll32), the command
// interpreter's command separators and pipes, and its redirections ("cmd.exe /RS<Lg.ToP"
// reads its commands from Lg.ToP).
bool splitsWords(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == '&' || c == '|' ||
           c == '<' || c == '>';
}

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool startsWithFolded(std::string_view text, std::string_view start) {
    if (text.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (folded(text[i]) != start[i]) return false;
    }
    return true;
}

// The command interpreter's own separators between a command and its arguments.
bool splitsCommandWords(char c) {
    return splitsWords(c) || c == ';' || c == '=';
}

// `command` with the quotes the command interpreter drops: when what follows its switch /c
// (or /k, /r) begins with a quote, that quote and the last of the line (cmd.exe /c "start ""
// "__\run me.exe"" runs start "" "__\run me.exe").
std::string withOuterQuotesDropped(std::string_view command) {
    std::string text(command);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        // A switch begins the command, follows a blank or follows another switch ("/Q/C").
        const bool switchStart =
            i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t' || (i >= 2 && text[i - 2] == '/');
        if (text[i] != '/' || !switchStart) continue;
        const char option = folded(text[i + 1]);
        if (option != 'c' && option != 'k' && option != 'r') continue;
        std::size_t first = i + 2;
        while (first < text.size() && (text[first] == ' ' || text[first] == '\t')) ++first;
        const std::size_t last = text.rfind('"');
        if (first < text.size() && text[first] == '"' && last > first) {
            text.erase(last, 1);
            text.erase(first, 1);
        }
        break;
    }
    return text;
}

// The words of `command` as a program reads its arguments (`asCommandInterpreter` false),
// or as the command interpreter reads the command it runs: its outer quotes dropped, '^'
// making the next character outside quotes stand as it is ("s^t^art __\Dr^iv^eMgr.exe"),
// and ';' and '=' splitting too ("set a=__\x.exe"). A part between quotes belongs to its
// word either way.
std::vector<std::string> splitWords(std::string_view command, bool asCommandInterpreter) {
    const std::string dropped = asCommandInterpreter ? withOuterQuotesDropped(command) : "";
    if (asCommandInterpreter) command = dropped;
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    auto endWord = [&] {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    };
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '^' && !quoted && asCommandInterpreter) {
            if (i + 1 < command.size()) word += command[++i];
        } else if (!quoted && (asCommandInterpreter ? splitsCommandWords(c) : splitsWords(c))) {
            endWord();
        } else {
            word += c;
        }
    }
    endWord();
    return words;
}

}  // namespace

std::vector<std::string> commandWords(std::string_view command) {
    return splitWords(command, false);
}

std::string fileOnDrive(std::string_view word, std::string_view root) {
    if (root.size() != 3) return {};
    if (word.size() >= 3 && folded(word[0]) == folded(root[0]) && word[1] == ':' &&
        (word[2] == '\\' || word[2] == '/')) {
        word.remove_prefix(3);
    } else if (startsWithFolded(word, "%cd%")) {
        // The current folder of a command started from the root: the root itself.
        word.remove_prefix(4);
        if (!word.empty() && (word[0] == '\\' || word[0] == '/')) word.remove_prefix(1);
    } else if (word.size() >= 2 && word[0] == '\\' && word[1] != '\\') {
        word.remove_prefix(1);  // the root of the current drive, never a network name
    }
    std::optional<std::string> path = fileBelowRoot(root, word);
    if (!path) return {};
    return removal::plainDrivePath(*path).value_or(std::string());
}

std::vector<std::string> namedFiles(std::string_view command, std::string_view root) {
    std::vector<std::string> files;
    std::unordered_set<std::string> seen;
    // The words as a program reads its arguments, then as the command interpreter does.
    for (bool asCommandInterpreter : {false, true}) {
        for (const std::string& word : splitWords(command, asCommandInterpreter)) {
            if (files.size() == kMostNamedFiles) return files;
            std::string path = fileOnDrive(word, root);
            if (!path.empty() && seen.insert(foldedName(path)).second) {
                files.push_back(std::move(path));
            }
        }
    }
    return files;
}

std::vector<std::string> namedRootItems(std::string_view command, std::string_view root) {
    std::vector<std::string> items;
    for (const std::string& path : namedFiles(command, root)) {
        const std::string_view below = std::string_view(path).substr(root.size());
        items.emplace_back(below.substr(0, below.find('\\')));
    }
    return items;
}

namespace {

// The files on the drive of `root` that `command` opens with a word for which `opens` holds:
// the word after it, past a window title ("") and switches (/max, /e,), the words read both
// ways.
template <typename Opener>
std::vector<std::string> filesOpenedWith(std::string_view command, std::string_view root,
                                         Opener opens) {
    std::vector<std::string> files;
    for (bool asCommandInterpreter : {false, true}) {
        const std::vector<std::string> words = splitWords(command, asCommandInterpreter);
        for (std::size_t i = 0; i < words.size() && files.size() < kMostNamedFiles; ++i) {
            if (!opens(words[i])) continue;
            std::size_t next = i + 1;
            while (next < words.size() && (words[next].empty() || words[next][0] == '/')) ++next;
            if (next == words.size()) break;
            if (std::string path = fileOnDrive(words[next], root); !path.empty()) {
                files.push_back(std::move(path));
            }
        }
    }
    return files;
}

}  // namespace

std::vector<std::string> filesOpenedByStart(std::string_view command, std::string_view root) {
    return filesOpenedWith(command, root,
                           [](const std::string& word) { return foldedName(word) == "start"; });
}

std::vector<std::string> itemsOpened(std::string_view command, std::string_view root) {
    return filesOpenedWith(command, root, [](const std::string& word) {
        const std::size_t slash = word.find_last_of("\\/");
        const std::string name =
            foldedName(slash == std::string::npos ? word : word.substr(slash + 1));
        return name == "start" || name == "explorer" || name == "explorer.exe";
    });
}

}  // namespace qv::worms
