// The shipped policy files imported by Wine's registry editor in silent mode, as the guard
// imports them: each C file sets what guard/protection/POLICIES.md says, and its O file
// then gives back every value of the keys they touch exactly as it was before; the guard's
// read-back sees each in effect.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/protection/PolicyFiles.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using namespace qv::testkit;

// A registry value's type and bytes.
struct Data {
    DWORD type;
    std::vector<BYTE> bytes;
    bool operator==(const Data&) const = default;
};
// Every value of a key of HKEY_LOCAL_MACHINE by name; a missing key has none.
using Values = std::map<std::wstring, Data>;

Values valuesOf(const std::wstring& key) {
    Values values;
    HKEY handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(handle, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        Data data{type, std::vector<BYTE>(size)};
        RegQueryValueExW(handle, name, nullptr, nullptr, data.bytes.data(), &size);
        values[std::wstring(name, nameLength)] = data;
    }
    RegCloseKey(handle);
    return values;
}

Data dword(DWORD number) {
    Data data{REG_DWORD, std::vector<BYTE>(sizeof number)};
    memcpy(data.bytes.data(), &number, sizeof number);
    return data;
}

Data string(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

void setValue(const std::wstring& key, const std::wstring& name, const Data& data) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), data.type,
                              data.bytes.data(), static_cast<DWORD>(data.bytes.size())),
              ERROR_SUCCESS);
}

std::string describe(const Values& values) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const auto& [name, data] : values) {
        text.append(" ").append(utf8(name)).append("=").append(std::to_string(data.type));
        text.append(":");
        for (BYTE b : data.bytes) text.append(1, kHex[b >> 4]).append(1, kHex[b & 15]);
    }
    return text.empty() ? " (none)" : text;
}

// regedit /s with the file's full path, as the guard starts the registry editor.
void import(const std::string& file) {
    std::wstring path = windowsPath(std::string(QV_SHIPPED_DIR) + "/" + file);
    TestProcess regedit(L"C:\\windows\\regedit.exe", {}, L"/s \"" + path + L"\"");
    ASSERT_TRUE(regedit.started()) << file;
    ASSERT_EQ(regedit.waitForExit(30000), 0) << file;
}

const std::wstring kExplorerPolicies =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::wstring kUsbStorage = L"SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
const std::wstring kRemovableDisks =
    L"SOFTWARE\\Policies\\Microsoft\\Windows\\RemovableStorageDevices\\"
    L"{53f5630d-b6bf-11d0-94f2-00a0c91efb8b}";
const std::wstring kAutorunMapping =
    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf";
const std::wstring kAutorunMapping32 =
    L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf";
const std::wstring kRemoteDesktopClient = L"SOFTWARE\\Microsoft\\Terminal Server Client";
const std::wstring kRemoteDesktopPolicies =
    L"SOFTWARE\\Policies\\Microsoft\\Windows NT\\Terminal Services";

// Whether the guard's read-back (the policy switch's table, through the real registry
// service) finds the policy of `file` in effect.
bool inEffect(const std::string& file) {
    qv::win32::Win32Registry registry;
    for (const qv::protection::PolicySwitch& policy : qv::protection::kPolicySwitches) {
        if (file == policy.file) return qv::protection::inEffect(registry, policy.effect);
    }
    ADD_FAILURE() << "no switch imports " << file;
    return false;
}

struct Setting {
    std::wstring key;
    std::wstring name;  // "" for the key's default value
    Data data;
};

struct PolicyPair {
    std::string off, on;
    std::vector<Setting> set;  // what the C file sets, as POLICIES.md has it
};

TEST(PolicyFilesTest, EachCFileSetsItsPolicyAndItsOFileGivesBackTheRegistryAsItWas) {
    const std::vector<PolicyPair> pairs{
        {"Czdbf.reg", "Ozdbf.reg", {{kExplorerPolicies, L"NoDriveTypeAutoRun", dword(0xb1)}}},
        {"Cup.reg",
         "Oup.reg",
         {{kUsbStorage, L"Start", dword(4)},
          {kRemovableDisks, L"Deny_Read", dword(1)},
          {kRemovableDisks, L"Deny_Write", dword(1)}}},
        {"Cinf.reg",
         "Oinf.reg",
         {{kAutorunMapping, L"", string(L"@SYS:DoesNotExist")},
          {kAutorunMapping32, L"", string(L"@SYS:DoesNotExist")}}},
        {"Cwlup.reg",
         "Owlup.reg",
         {{kRemoteDesktopClient, L"DisableDriveRedirection", dword(1)},
          {kRemoteDesktopPolicies, L"fDisableCdm", dword(1)}}},
    };

    // The registry as Windows ships it: none of the policies configured, the USB storage
    // driver started on demand. Beside the values the files touch lies one of an
    // administrator's own, which must survive.
    for (const PolicyPair& pair : pairs) {
        for (const Setting& s : pair.set) {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, s.key.c_str(), s.name.c_str());
        }
    }
    setValue(kUsbStorage, L"Start", dword(3));
    const std::wstring neighbour = L"QvAdministratorsOwn";
    const std::vector<std::wstring> sharedKeys{kExplorerPolicies, kUsbStorage, kRemovableDisks,
                                               kRemoteDesktopClient, kRemoteDesktopPolicies};
    for (const std::wstring& key : sharedKeys) setValue(key, neighbour, string(L"kept"));

    for (const PolicyPair& pair : pairs) {
        SCOPED_TRACE(pair.off);
        std::map<std::wstring, Values> before;
        for (const Setting& s : pair.set) before[s.key] = valuesOf(s.key);

        auto expectKeys = [](const std::map<std::wstring, Values>& wanted) {
            for (const auto& [key, values] : wanted) {
                Values found = valuesOf(key);
                EXPECT_TRUE(found == values) << utf8(key) << " holds" << describe(found)
                                             << " instead of" << describe(values);
            }
        };
        import(pair.off);
        std::map<std::wstring, Values> off = before;
        for (const Setting& s : pair.set) off[s.key][s.name] = s.data;
        expectKeys(off);
        // The guard's read-back of each switch sees its policy in effect, and only its own.
        EXPECT_TRUE(inEffect(pair.off));
        EXPECT_FALSE(inEffect(pair.on));
        import(pair.on);
        expectKeys(before);
        EXPECT_TRUE(inEffect(pair.on));
        EXPECT_FALSE(inEffect(pair.off));
    }

    for (const std::wstring& key : sharedKeys) {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), neighbour.c_str());
    }
}

}  // namespace
