#include "uninstaller/wizard/Wizard.h"

#include "common/xz/XzFormat.h"
#include "common/xz/XzLines.h"
#include "uninstaller/script/CommandScan.h"
#include "uninstaller/script/ScriptParser.h"
#include "uninstaller/wizard/DeleteReport.h"
#include "uninstaller/wizard/Design.h"

namespace qv::uninst {

namespace {

std::string readFailureText(const ScriptFile& file) {
    const std::string name(xz::kScriptName);
    const std::string nothingDone = "卸载已停止，没有删除任何文件。";
    switch (file.status) {
        case ScriptFile::Status::Missing:
            return "找不到卸载脚本 " + name + "，" + nothingDone;
        case ScriptFile::Status::TooLarge:
            return "卸载脚本 " + name + " 过大，" + nothingDone;
        default:
            if (file.reason.empty()) return "无法读取卸载脚本 " + name + "，" + nothingDone;
            return "无法读取卸载脚本 " + name + "：" + file.reason + "\r\n" + nothingDone;
    }
}

// A program file: one whose name ends in ".exe", in any case.
bool isProgram(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return end == ".exe";
}

}  // namespace

LoadResult Wizard::Form_Load() {
    caption_ = std::string(kDesignedCaption);
    ScriptFile file = system_.readScript(xz::kScriptName);
    if (file.status != ScriptFile::Status::Read) {
        fail(readFailureText(file));
        return LoadResult::Failed;
    }
    const std::vector<std::string> lines = xz::splitLines(file.text);
    std::optional<ParsedScript> script = Dq(lines);
    std::optional<std::vector<std::string>> commands = scanCommands(lines);
    if (!script || !commands) {
        fail("卸载脚本 " + std::string(xz::kScriptName) +
             " 列出的文件或命令过多，可能已损坏。卸载已停止，没有删除任何文件。");
        return LoadResult::Failed;
    }
    if (script->title) {
        caption_ = *script->title;
        view_.setCaption(caption_);
    }
    if (script->text) view_.setMessageText(*script->text);
    deleteList_ = std::move(script->deleteList);
    commands_ = std::move(*commands);
    view_.setDeleteList(deleteList_);

    std::string prompt = std::string(kConfirmPrefix) + caption_ + std::string(kConfirmSuffix);
    if (view_.messageBox(prompt, std::string(kConfirmTitle), Buttons::OkCancel, Icon::None) !=
        Answer::Ok) {
        end();
        return LoadResult::Cancelled;
    }
    caption_ += kWizardSuffix;
    view_.setCaption(caption_);
    view_.show();
    return LoadResult::Shown;
}

void Wizard::Check1_Click(bool ticked) {
    if (ended_) return;
    view_.setWindowHeight(ticked ? kHeightWithList : kHeightDesigned);
}

void Wizard::faceMouseDown(Face face) {
    if (!ended_) view_.setFaceBorder(face, true);
}

void Wizard::faceMouseUp(Face face) {
    if (!ended_) view_.setFaceBorder(face, false);
}

void Wizard::faceClicked(Face face) {
    // A click that arrives while the result box of an uninstall is open is not a second
    // request; the window is about to end.
    if (ended_ || uninstalling_) return;
    if (face == Face::Cancel)
        Qx();
    else
        Xb();
}

void Wizard::fail(const std::string& message) {
    view_.messageBox(message, std::string(kErrorTitle), Buttons::Ok, Icon::Error);
    end();
}

void Wizard::Qx() {
    end();
}

void Wizard::Xb() {
    uninstalling_ = true;
    view_.setMessageText(std::string(kUninstalling));

    // The installation's programs that still run (the guard, its companions) hold their
    // files: now that the user has confirmed, they are ended, each by its own file's path,
    // so that a copy of the same program elsewhere (a portable one on a stick) runs on.
    for (const std::string& path : deleteList_) {
        if (isProgram(path)) system_.endProgram(path);
    }

    // Deletions in list order. A file that is not there (one the program never made, or
    // one the script names twice) is gone as well as a deleted one; only a file that is
    // still there is reported. An empty entry names no file.
    std::vector<FailedDelete> failed;
    for (const std::string& path : deleteList_) {
        if (path.empty()) continue;
        DeleteResult result = system_.deleteFile(path);
        if (result.outcome == DeleteOutcome::Failed) failed.push_back({path, result});
    }
    // Success is claimed only when every listed file was removed. Then the commands run,
    // in script order, each started and left to run (one that cannot be started does not
    // keep the others from starting). When a file stays, none of them runs: they remove
    // what lets the user uninstall again (this program, its script, the entry of "Programs
    // and Features"), and the user is to close what holds the files and try once more.
    if (!failed.empty()) {
        view_.messageBox(describeFailedDeletes(failed), std::string(kNoticeTitle), Buttons::Ok,
                         Icon::Warning);
        end();
        return;
    }
    view_.messageBox(std::string(kUninstalled), std::string(kNoticeTitle), Buttons::Ok, Icon::None);
    for (const std::string& command : commands_) {
        system_.startMinimised(kShellProgram, std::string(kShellPrefix) + command);
    }
    end();
}

void Wizard::end() {
    if (ended_) return;
    ended_ = true;
    view_.end();
}

}  // namespace qv::uninst
