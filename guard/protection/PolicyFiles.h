#pragma once
// The eight policy switches of the advanced page: which registry file each button imports
// and whether it asks first, the command line of the silent import, and what the user is
// told. Pure data and text, no form. The files ship beside the program; see POLICIES.md.

#include <array>
#include <string>

namespace qv::protection {

struct PolicySwitch {
    const char* button;  // Command9 ... Command16
    const char* file;    // bare name, looked for in the current folder
    bool confirm;        // the switches that lower protection ask first
};

inline constexpr std::array<PolicySwitch, 8> kPolicySwitches{{
    {"Command9", "Czdbf.reg", false},   // CD AutoPlay off
    {"Command10", "Ozdbf.reg", true},   // CD AutoPlay on again
    {"Command11", "Cup.reg", false},    // USB storage off
    {"Command12", "Oup.reg", true},     // USB storage on again
    {"Command13", "Cinf.reg", false},   // autorun.inf ignored
    {"Command14", "Oinf.reg", true},    // autorun.inf read again
    {"Command15", "Cwlup.reg", false},  // no drive crosses a Remote Desktop connection
    {"Command16", "Owlup.reg", true},   // drive redirection allowed again
}};

// "regedt32 /s " + file: the registry editor imports the file without asking.
std::string importCommandLine(const std::string& file);

inline constexpr const char* kDangerConfirmation =
    "此命令可能使您的电脑处于危险状态，确认执行此命令？";
inline constexpr const char* kCommandDoneMessage = "命令成功完成！";

// The two ways an import cannot even begin, each with the title "错误".
std::string missingPolicyFileMessage(const std::string& file);
std::string editorNotStartedMessage(const std::string& description);
inline constexpr const char* kPolicyErrorTitle = "错误";

}  // namespace qv::protection
