#include "guard/protection/ImmunisationTexts.h"

namespace qv::protection {

using platform::DriveType;

std::string driveTypeCaption(std::optional<DriveType> type) {
    const char* name = "未知类型";
    if (type == DriveType::Removable) name = "可移动磁盘";
    if (type == DriveType::Fixed) name = "本地磁盘";
    if (type == DriveType::CdRom) name = "本地光盘";
    if (type == DriveType::RamDisk) name = "虚拟磁盘";
    return std::string("磁盘类型：") + name;
}

std::string immunisedMessage(const std::string& letter) {
    return "对" + letter + "盘免疫成功！";
}

std::string marksMissingReason(const std::string& folder) {
    return folder + " 未能设为只读、系统和隐藏";
}

std::string conMissingReason(const std::string& folder) {
    return folder + "\\con 文件夹未能建成";
}

std::string immunisationFailedMessage(ImmunisationMode mode, const std::string& description) {
    if (mode == ImmunisationMode::Normal) {
        return "免疫失败！原因：" + description + "\r\n请选择强制免疫再次尝试";
    }
    return "强制免疫失败！原因：" + description + "\r\n请发贴在技术中心求助";
}

}  // namespace qv::protection
