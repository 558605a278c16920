#pragma once
// What the user is told when a file could not be removed or put back: the reasons the
// removal and the quarantine give beside the system's own, and the lines that name each
// file with its reason.

#include <string>
#include <string_view>
#include <vector>

namespace qv::removal {

inline constexpr const char* kTooLargeReason = "文件大于 100 MB，不能放入隔离区，因此没有删除";
inline constexpr const char* kChangedWhileCopiedReason = "文件在复制到隔离区时被改动，因此没有删除";
inline constexpr const char* kPathTooLongReason = "路径过长，不能放入隔离区，因此没有删除";
inline constexpr const char* kQuarantineUnreadableReason = "无法读取隔离区";
inline constexpr const char* kQuarantineFullReason =
    "隔离区已满（一天之内隔离的文件不会被挤出），因此没有删除";
inline constexpr const char* kNotADrivePathReason = "不是磁盘上的文件路径";
inline constexpr const char* kThroughLinkReason =
    "路径经过链接或交接点，可能通向本盘以外，不予处理";
inline constexpr const char* kUnconfirmedPathReason =
    "无法确认路径实际通向哪里（路径可能过长），不予处理";
inline constexpr const char* kNotPlainFileReason = "不是普通文件（文件夹、链接或设备），不予删除";
inline constexpr const char* kDamagedEntryReason = "隔离区中的这份副本已损坏，与原文件不符";
inline constexpr const char* kForeignEntryReason = "这份副本是本机另一个用户隔离的，不予恢复";

// Reading the file failed, as the system says why.
std::string readFailedReason(std::string_view systemReason);
// The copy into the quarantine failed (a full disk, ...): the file stays.
std::string notQuarantinedReason(std::string_view systemReason);

// The reason as it stands inside a sentence: without the full stop some texts end with.
std::string_view withoutFullStop(std::string_view reason);
// The reason closed by one full stop, whether or not it came with one.
std::string reasonSentence(std::string_view reason);

// A file that stays, and why.
struct NotRemoved {
    std::string path;
    std::string reason;
};

// "未能删除以下文件：" and one line per file: the path, "：", the reason.
std::string notRemovedText(const std::vector<NotRemoved>& files);

}  // namespace qv::removal
