#include "guard/shell/LinkCommands.h"

#include "guard/platform/CommandLine.h"

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

Tools toolsIn(platform::Folders& folders) {
    return {platform::systemTool(folders, "cmd.exe"),
            platform::windowsTool(folders, "explorer.exe"),
            platform::windowsTool(folders, "notepad.exe")};
}

std::string logViewer(const Tools& tools) {
    return platform::commandLine(tools.notepad, "rz.log");
}

std::string cmdStart(const Tools& tools, std::string_view address) {
    std::string line = "/c start ";
    for (char c : address) {
        if (c == '&' || c == '|' || c == '<' || c == '>' || c == '^') line += '^';
        line += c;
    }
    return platform::commandLine(tools.cmd, line);
}

std::string explorerOpen(const Tools& tools, std::string_view address) {
    return platform::commandLine(tools.explorer, platform::quoted(address));
}

std::string forumHome(const Tools& tools, std::string_view forum) {
    return cmdStart(tools, forum);
}

std::string bugReportThread(const Tools& tools, std::string_view forum) {
    return explorerOpen(tools,
                        std::string(forum) + "/forum.php?mod=viewthread&tid=5&extra=page%3D1");
}

std::string publishSoftware(const Tools& tools, std::string_view forum) {
    return explorerOpen(tools, std::string(forum) +
                                   "/forum.php?mod=post&action=newthread&fid=54&referer=" +
                                   boardReturnAddress(forum));
}

std::string helpBoard(const Tools& tools, std::string_view forum) {
    return explorerOpen(tools, std::string(forum) + "/forum.php?mod=forumdisplay&fid=52");
}

std::string moodBoard(const Tools& tools, std::string_view forum) {
    return cmdStart(tools, std::string(forum) + "/forum.php?mod=forumdisplay&fid=58");
}

}  // namespace qv::links
