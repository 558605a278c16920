#pragma once
// The skin changer's file operations on Windows. A new Pifu.she is written to a file of
// its own in the same folder, flushed, and put in place with MoveFileExW
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), which replaces the old file in
// one step. Links and junctions are left out of listings and never opened.

#include "pifushe/catalog/SkinFiles.h"

namespace qv::pifushe::win32 {

class Win32SkinFiles : public SkinFiles {
public:
    Status list(const std::string& folder, std::vector<FileInfo>& out) override;
    Status read(const std::string& folder, const std::string& name, std::size_t limit,
                std::string& out) override;
    Status writeTemporary(const std::string& folder, std::string_view bytes,
                          std::string& name) override;
    Status replace(const std::string& folder, const std::string& from,
                   const std::string& to) override;
    void remove(const std::string& folder, const std::string& name) override;
};

}  // namespace qv::pifushe::win32
