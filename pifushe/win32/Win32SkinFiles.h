#pragma once
// The skin changer's file operations on Windows. A new Pifu.she is written to a file of
// its own in the same folder, flushed, and put in place with MoveFileExW
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), which replaces the old file in
// one step. Links and junctions are left out of listings and never opened.

#include "pifushe/catalog/SkinFiles.h"

namespace qv::pifushe::win32 {

class Win32SkinFiles : public SkinFiles {
public:
    Result list(const std::string& folder, std::vector<FileInfo>& out) override;
    Result read(const std::string& folder, const std::string& name, std::size_t limit,
                std::string& out) override;
    Result writeTemporary(const std::string& folder, std::string_view bytes,
                          std::string& name) override;
    Result replace(const std::string& folder, const std::string& from,
                   const std::string& to) override;
    void remove(const std::string& folder, const std::string& name) override;
};

// The folder of this program's own file (UTF-8, no trailing backslash): the guard's
// folder, where it is shipped and where the guard reads Pifu.she. Not the current folder,
// which is whatever the starting program had.
std::string programFolder();

}  // namespace qv::pifushe::win32
