#pragma once
// The uninstaller's system services on Win32: the script read in the ANSI code page,
// DeleteFileW on the literal name, and programs of the system folder started minimised.

#include "uninstaller/wizard/UninstallSystem.h"

namespace qv::uninst::win32 {

class Win32UninstallSystem : public UninstallSystem {
public:
    ScriptFile readScript(std::string_view name) override;
    DeleteResult deleteFile(const std::string& path) override;
    bool startMinimised(std::string_view program, const std::string& commandLine) override;
};

}  // namespace qv::uninst::win32
