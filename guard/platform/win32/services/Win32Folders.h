#pragma once
// The guard's folders as Windows names them (common/win32/Folders.h): each worked out once.

#include "guard/platform/Folders.h"

namespace qv::win32 {

class Win32Folders : public platform::Folders {
public:
    // `dataFolder` is the folder the guard keeps its files in: its current folder.
    explicit Win32Folders(std::string dataFolder);
    std::string programFolder() override { return program_; }
    std::string dataFolder() override { return data_; }
    std::string systemFolder() override { return system_; }
    std::string windowsFolder() override { return windows_; }

private:
    std::string program_;
    std::string data_;
    std::string system_;
    std::string windows_;
};

}  // namespace qv::win32
