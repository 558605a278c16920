#include "guard/platform/win32/services/Win32Registry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

struct ValuePath {
    HKEY root;
    std::wstring key;
    std::wstring value;
};

HKEY rootNamed(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        HKEY key;
    } roots[] = {
        {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKLM", HKEY_LOCAL_MACHINE},
        {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKCU", HKEY_CURRENT_USER},
        {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKCR", HKEY_CLASSES_ROOT},
        {L"HKEY_USERS", HKEY_USERS},
        {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const auto& root : roots) {
        if (CompareStringOrdinal(name.c_str(), -1, root.name, -1, TRUE) == CSTR_EQUAL) {
            return root.key;
        }
    }
    return nullptr;
}

std::optional<ValuePath> parse(const std::string& valuePath) {
    if (valuePath.find('\0') != std::string::npos) return std::nullopt;
    std::wstring path = toWide(valuePath);
    size_t afterRoot = path.find(L'\\');
    size_t beforeValue = path.rfind(L'\\');
    if (afterRoot == std::wstring::npos) return std::nullopt;
    HKEY root = rootNamed(path.substr(0, afterRoot));
    if (root == nullptr) return std::nullopt;
    std::wstring key =
        beforeValue > afterRoot ? path.substr(afterRoot + 1, beforeValue - afterRoot - 1) : L"";
    return ValuePath{root, std::move(key), path.substr(beforeValue + 1)};
}

}  // namespace

Status Win32Registry::writeString(const std::string& valuePath, const std::string& data) {
    auto path = parse(valuePath);
    if (!path) return failure(ERROR_INVALID_PARAMETER);
    HKEY opened = nullptr;
    LSTATUS result = RegCreateKeyExW(path->root, path->key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &opened, nullptr);
    if (result != ERROR_SUCCESS) return failure(static_cast<DWORD>(result));
    UniqueKey key(opened);
    std::wstring wide = toWide(data);
    result = RegSetValueExW(key.get(), path->value.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wide.c_str()),
                            static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    if (result != ERROR_SUCCESS) return failure(static_cast<DWORD>(result));
    return Status::success();
}

Status Win32Registry::deleteValue(const std::string& valuePath) {
    auto path = parse(valuePath);
    if (!path) return failure(ERROR_INVALID_PARAMETER);
    HKEY opened = nullptr;
    LSTATUS result = RegOpenKeyExW(path->root, path->key.c_str(), 0, KEY_SET_VALUE, &opened);
    if (result != ERROR_SUCCESS) return failure(static_cast<DWORD>(result));
    UniqueKey key(opened);
    result = RegDeleteValueW(key.get(), path->value.c_str());
    if (result != ERROR_SUCCESS) return failure(static_cast<DWORD>(result));
    return Status::success();
}

std::optional<platform::RegistryValue> Win32Registry::readValue(const std::string& valuePath) {
    using Type = platform::RegistryValue::Type;
    auto path = parse(valuePath);
    if (!path) return std::nullopt;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(path->root, path->key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    UniqueKey key(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), path->value.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // One unit more than the data, so that a string is ended even when it was stored
    // without its terminating zero.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), path->value.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    platform::RegistryValue value;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring text(buffer.data(), std::min<size_t>(bytes / sizeof(wchar_t), buffer.size()));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        value.type = Type::String;
        value.text = fromWide(text);
    } else if (type == REG_DWORD && bytes == sizeof(DWORD)) {
        value.type = Type::Number;
        DWORD number = 0;
        memcpy(&number, buffer.data(), sizeof number);
        value.number = number;
    }
    return value;
}

bool Win32Registry::keyExists(const std::string& keyPath) {
    // The key's path with an empty value name.
    auto path = parse(keyPath + "\\");
    if (!path) return false;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(path->root, path->key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    UniqueKey key(opened);
    return true;
}

}  // namespace qv::win32
