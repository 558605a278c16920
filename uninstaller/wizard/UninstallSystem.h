#pragma once
// What the wizard asks of the operating system: the script file, file deletion, ending
// the installation's running programs and starting programs. The Win32 implementation is the real
// one; tests give a scripted one.

#include <string>
#include <string_view>

namespace qv::uninst {

struct ScriptFile {
    enum class Status { Read, Missing, Unreadable, TooLarge };
    Status status = Status::Missing;
    std::string text;    // the whole file as UTF-8, when read
    std::string reason;  // the system's description of a failure; may be empty
};

enum class DeleteOutcome { Deleted, NotFound, Failed };

struct DeleteResult {
    DeleteOutcome outcome = DeleteOutcome::Failed;
    std::string reason;  // the system's description of a failure; may be empty
};

class UninstallSystem {
public:
    virtual ~UninstallSystem() = default;

    // Reads the file `name` of the current folder, converted from the system's ANSI code
    // page; a file larger than xz::kMaxScriptBytes is reported as TooLarge.
    virtual ScriptFile readScript(std::string_view name) = 0;

    // Deletes exactly the file named by `path` (relative to the current folder or
    // absolute); a name with wildcards is taken literally and never expanded.
    virtual DeleteResult deleteFile(const std::string& path) = 0;

    // Starts `program` (a program of the system folder) with `commandLine` in a
    // minimised window that takes the focus, without waiting for it. False when it could
    // not be started.
    virtual bool startMinimised(std::string_view program, const std::string& commandLine) = 0;

    // Ends, by force, every running process whose program file is exactly `path` (relative
    // to the current folder or absolute), and waits a moment for it to be gone; a process
    // of a program of the same name elsewhere is left alone. One that cannot be ended keeps
    // its file, whose deletion then fails and is reported.
    virtual void endProgram(const std::string& path) = 0;
};

}  // namespace qv::uninst
