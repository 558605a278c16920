#include "pifushe/catalog/SkinApply.h"

namespace qv::pifushe {

namespace {

std::string damaged(const SkinEntry& entry) {
    return "皮肤“" + entry.name + "”已损坏（" +
           (entry.problem.empty() ? std::string("格式不符") : entry.problem) + "），不能应用。";
}

}  // namespace

Status applySkin(SkinFiles& files, const ApplyTarget& target, const SkinEntry& entry) {
    if (entry.damaged()) return Status::failure(damaged(entry));

    // The file as it is now, not as it was listed.
    std::string bytes;
    if (Status read = files.read(target.skinsFolder, entry.file, skin::kMaxSkinBytes + 1, bytes);
        !read.ok()) {
        return Status::failure("无法读取皮肤文件“" + entry.file + "”：" + read.description());
    }
    if (!themeOf(bytes)) {
        SkinEntry now = entry;
        now.problem = bytes.size() > skin::kMaxSkinBytes ? "文件大于 64 KB" : "格式不符";
        return Status::failure(damaged(now));
    }

    std::string temporary;
    if (Status written = files.writeTemporary(target.dataFolder, bytes, temporary); !written.ok()) {
        return Status::failure("无法在数据文件夹中写入新的皮肤文件：" + written.description() +
                               "。原有皮肤未改动。");
    }
    if (Status replaced = files.replace(target.dataFolder, temporary, kGuardSkinFile);
        !replaced.ok()) {
        files.remove(target.dataFolder, temporary);
        return Status::failure(std::string("无法替换 ") + kGuardSkinFile + "：" +
                               replaced.description() + "。原有皮肤未改动。");
    }

    // What the guard will read is what was chosen, or the user hears otherwise.
    std::string check;
    if (Status reread =
            files.read(target.dataFolder, kGuardSkinFile, skin::kMaxSkinBytes + 1, check);
        !reread.ok()) {
        return Status::failure(std::string("替换后无法读回 ") + kGuardSkinFile + "：" +
                               reread.description());
    }
    if (check != bytes) {
        return Status::failure(std::string("替换后 ") + kGuardSkinFile + " 与所选皮肤不符。");
    }
    return Status::success();
}

std::string appliedMessage(const std::string& skinName) {
    // The guard wears Pifu.she only with 加在皮肤文件 ticked: at its start when the box was
    // saved ticked, at once when the settings are saved with it ticked. Short lines: a
    // message box may lose a character where it wraps Chinese text.
    return "皮肤“" + skinName +
           "”已应用。\r\n若“系统设置”中已勾选“加在皮肤文件”，\r\n"
           "QVu盘卫士下次启动时使用这个皮肤；\r\n勾选后点“保存设置”，则立即使用。";
}

}  // namespace qv::pifushe
