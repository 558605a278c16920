#pragma once
// The wizard window's designed values and the texts it shows.

#include <string_view>

namespace qv::uninst {

// Designed state of the window.
inline constexpr std::string_view kDesignedCaption = "卸载程序";
inline constexpr std::string_view kDesignedMessage = "数据丢失...\r\n";
inline constexpr std::string_view kShowListCaption = "点击显示将被删除的文件";
inline constexpr std::string_view kCancelCaption = "取 消";
inline constexpr std::string_view kUninstallCaption = "卸 载";
// Window heights in twips: as designed, and with the delete list revealed below.
inline constexpr int kHeightDesigned = 4935;
inline constexpr int kHeightWithList = 6666;

// Confirmation before the window is shown: prefix + caption + suffix.
inline constexpr std::string_view kConfirmPrefix = "确认卸载";
inline constexpr std::string_view kConfirmSuffix = " 吗？";
inline constexpr std::string_view kConfirmTitle = "卸载确认";
inline constexpr std::string_view kWizardSuffix = " 卸载向导";

// Uninstall.
inline constexpr std::string_view kUninstalling = "正在卸载请稍后...";
inline constexpr std::string_view kUninstalled = "本软件已成功卸载！";
inline constexpr std::string_view kNoticeTitle = "提示";
inline constexpr std::string_view kErrorTitle = "错误";
// Commands run through the command interpreter: program, and the start of the line.
inline constexpr std::string_view kShellProgram = "cmd.exe";
inline constexpr std::string_view kShellPrefix = "cmd.exe /c ";

}  // namespace qv::uninst
