#pragma once
// The uninstaller's system services on Win32: the script read in the ANSI code page,
// DeleteFileW on the literal name, programs of the system folder started minimised, and the
// installation's running programs ended by the full path of their files.

#include "uninstaller/wizard/UninstallSystem.h"

namespace qv::uninst::win32 {

class Win32UninstallSystem : public UninstallSystem {
public:
    ScriptFile readScript(std::string_view name) override;
    DeleteResult deleteFile(const std::string& path) override;
    bool startMinimised(std::string_view program, const std::string& commandLine) override;
    void endProgram(const std::string& path) override;
};

}  // namespace qv::uninst::win32
