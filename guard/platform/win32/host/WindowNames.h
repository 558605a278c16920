#pragma once
// The names of the host's window classes and of the property that carries each window's
// model name (a global atom), by which tests in another process find a form or a control.

namespace qv::win32 {

inline constexpr wchar_t kFormClass[] = L"QvForm";
inline constexpr wchar_t kControlClass[] = L"QvControl";
inline constexpr wchar_t kNameProperty[] = L"QvName";

}  // namespace qv::win32
