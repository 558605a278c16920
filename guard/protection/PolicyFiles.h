#pragma once
// The eight policy switches of the advanced page: which registry file each button imports
// and whether it asks first, what the registry holds once the import has taken effect
// (read back after it; tests/unit/guard/RegistryFilesTest checks each table against its
// file), the command line of the silent import, and what the user is told. Pure data and
// text, no form. The files ship beside the program; see POLICIES.md.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "guard/platform/Registry.h"

namespace qv::protection {

// One value or key as an imported file leaves it.
struct RegistryExpectation {
    enum class Kind {
        Number,   // the value at `path` is the REG_DWORD `number`
        Text,     // the value at `path` is the string `text`
        NoValue,  // there is no value at `path`
        NoKey,    // there is no key at `path`
    };
    Kind kind;
    // A value's full path (a key's default value ends in a backslash), or a key's for NoKey.
    const char* path;
    std::uint32_t number = 0;
    const char* text = "";
};

struct PolicySwitch {
    const char* button;  // Command9 ... Command16
    const char* file;    // shipped beside the program
    bool confirm;        // the switches that lower protection ask first
    std::span<const RegistryExpectation> effect;
};

namespace policy_effects {

using Kind = RegistryExpectation::Kind;
inline constexpr const char* kAutoRun =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\"
    "NoDriveTypeAutoRun";
inline constexpr const char* kUsbStorage =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\Start";
inline constexpr const char* kDenyRead =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Windows\\RemovableStorageDevices\\"
    "{53f5630d-b6bf-11d0-94f2-00a0c91efb8b}\\Deny_Read";
inline constexpr const char* kDenyWrite =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Windows\\RemovableStorageDevices\\"
    "{53f5630d-b6bf-11d0-94f2-00a0c91efb8b}\\Deny_Write";
inline constexpr const char* kInfMapping =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\"
    "Autorun.inf";
inline constexpr const char* kInfMapping32 =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\"
    "IniFileMapping\\Autorun.inf";
inline constexpr const char* kDriveRedirection =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Terminal Server Client\\DisableDriveRedirection";
inline constexpr const char* kSessionDrives =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Windows NT\\Terminal Services\\"
    "fDisableCdm";

inline constexpr std::array kCzdbf{RegistryExpectation{Kind::Number, kAutoRun, 0xb1}};
inline constexpr std::array kOzdbf{RegistryExpectation{Kind::NoValue, kAutoRun}};
inline constexpr std::array kCup{RegistryExpectation{Kind::Number, kUsbStorage, 4},
                                 RegistryExpectation{Kind::Number, kDenyRead, 1},
                                 RegistryExpectation{Kind::Number, kDenyWrite, 1}};
inline constexpr std::array kOup{RegistryExpectation{Kind::Number, kUsbStorage, 3},
                                 RegistryExpectation{Kind::NoValue, kDenyRead},
                                 RegistryExpectation{Kind::NoValue, kDenyWrite}};
inline constexpr const char* kNoSuchMapping = "@SYS:DoesNotExist";
inline constexpr std::array kCinf{
    RegistryExpectation{Kind::Text,
                        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\"
                        "CurrentVersion\\IniFileMapping\\Autorun.inf\\",
                        0, kNoSuchMapping},
    RegistryExpectation{Kind::Text,
                        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\"
                        "Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf\\",
                        0, kNoSuchMapping}};
inline constexpr std::array kOinf{RegistryExpectation{Kind::NoKey, kInfMapping},
                                  RegistryExpectation{Kind::NoKey, kInfMapping32}};
inline constexpr std::array kCwlup{RegistryExpectation{Kind::Number, kDriveRedirection, 1},
                                   RegistryExpectation{Kind::Number, kSessionDrives, 1}};
inline constexpr std::array kOwlup{RegistryExpectation{Kind::NoValue, kDriveRedirection},
                                   RegistryExpectation{Kind::NoValue, kSessionDrives}};

}  // namespace policy_effects

inline constexpr std::array<PolicySwitch, 8> kPolicySwitches{{
    {"Command9", "Czdbf.reg", false, policy_effects::kCzdbf},   // CD AutoPlay off
    {"Command10", "Ozdbf.reg", true, policy_effects::kOzdbf},   // CD AutoPlay on again
    {"Command11", "Cup.reg", false, policy_effects::kCup},      // USB storage off
    {"Command12", "Oup.reg", true, policy_effects::kOup},       // USB storage on again
    {"Command13", "Cinf.reg", false, policy_effects::kCinf},    // autorun.inf ignored
    {"Command14", "Oinf.reg", true, policy_effects::kOinf},     // autorun.inf read again
    {"Command15", "Cwlup.reg", false, policy_effects::kCwlup},  // no drive crosses a
                                                                // Remote Desktop connection
    {"Command16", "Owlup.reg", true, policy_effects::kOwlup},   // drive redirection allowed
}};

// True when every value and key of `effect` is as the import leaves it.
bool inEffect(platform::Registry& registry, std::span<const RegistryExpectation> effect);

// The registry editor's arguments that import the file at `path` (a full path) without
// asking: "/s" and the path.
std::string importArguments(const std::string& path);
// The registry editor, in the Windows folder.
inline constexpr const char* kRegistryEditor = "regedit.exe";

inline constexpr const char* kDangerConfirmation =
    "此命令可能使您的电脑处于危险状态，确认执行此命令？";
inline constexpr const char* kCommandDoneMessage = "命令成功完成！";

// The ways an import cannot even begin, each with the title "错误".
std::string missingPolicyFileMessage(const std::string& file);
std::string editorNotStartedMessage(const std::string& description);
inline constexpr const char* kPolicyErrorTitle = "错误";
// An import that did not take effect, with why (adminFailureReason).
std::string importNotDoneMessage(const std::string& file, const std::string& reason);

}  // namespace qv::protection
