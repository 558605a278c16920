#include "guard/shell/LinkCommands.h"

namespace qv::links {

namespace {

// The return address of the new-thread form: the board page's address percent-encoded
// (the slashes stay).
std::string boardReturnAddress(std::string_view forum) {
    std::string encoded;
    for (char c : forum) {
        if (c == ':')
            encoded += "%3A";
        else
            encoded += c;
    }
    return encoded + "/forum.php%3Fmod%3Dforumdisplay%26fid%3D54";
}

}  // namespace

std::string cmdStart(std::string_view address) {
    std::string line = "cmd /c start ";
    for (char c : address) {
        if (c == '&' || c == '|' || c == '<' || c == '>' || c == '^') line += '^';
        line += c;
    }
    return line;
}

std::string explorerOpen(std::string_view address) {
    return "explorer \"" + std::string(address) + "\"";
}

std::string forumHome(std::string_view forum) {
    return cmdStart(forum);
}

std::string bugReportThread(std::string_view forum) {
    return explorerOpen(std::string(forum) + "/forum.php?mod=viewthread&tid=5&extra=page%3D1");
}

std::string publishSoftware(std::string_view forum) {
    return explorerOpen(
        std::string(forum) +
        "/forum.php?mod=post&action=newthread&fid=54&referer=" + boardReturnAddress(forum));
}

std::string helpBoard(std::string_view forum) {
    return explorerOpen(std::string(forum) + "/forum.php?mod=forumdisplay&fid=52");
}

std::string moodBoard(std::string_view forum) {
    return cmdStart(std::string(forum) + "/forum.php?mod=forumdisplay&fid=58");
}

}  // namespace qv::links
