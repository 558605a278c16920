#pragma once
// The skin changer's file operations on a POSIX file system, for the native tests: the
// same steps as on Windows (a new file beside the target, written and flushed, then put
// in place with rename(), which replaces the target in one step). Symbolic links are left
// out of listings and refused when read.

#include "pifushe/catalog/SkinFiles.h"

namespace qv::pifushe::test {

class PosixSkinFiles : public SkinFiles {
public:
    Status list(const std::string& folder, std::vector<FileInfo>& out) override;
    Status read(const std::string& folder, const std::string& name, std::size_t limit,
                std::string& out) override;
    Status writeTemporary(const std::string& folder, std::string_view bytes,
                          std::string& name) override;
    Status replace(const std::string& folder, const std::string& from,
                   const std::string& to) override;
    void remove(const std::string& folder, const std::string& name) override;

    int reads = 0;                 // calls of read()
    std::size_t largestLimit = 0;  // the largest limit read() was given
};

}  // namespace qv::pifushe::test
