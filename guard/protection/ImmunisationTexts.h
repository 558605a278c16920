#pragma once
// What the immunisation panel says: the type of the chosen drive, and the outcome of an
// immunisation. Pure text, no form.

#include <optional>
#include <string>

#include "guard/platform/FileSystem.h"

namespace qv::protection {

// Which clean-up ran before the immunisation failed; it selects the advice given.
enum class ImmunisationMode {
    Normal,  // no clean-up: the user is pointed to forced immunisation
    Forced,  // the old autorun.inf was cleared first: the user is pointed to the forum
};

// The caption of Leixing for a drive of `type`; nullopt (the drive cannot be queried)
// and the types without a caption of their own read "unknown type".
std::string driveTypeCaption(std::optional<platform::DriveType> type);

// "对" + letter + "盘免疫成功！", the letter as the drive list shows it.
std::string immunisedMessage(const std::string& letter);
inline constexpr const char* kImmunisedTitle = "免疫成功";

// Why an immunisation whose steps all succeeded is still not done: what the drive shows.
std::string marksMissingReason(const std::string& folder);
std::string conMissingReason(const std::string& folder);

// The failure message, with the system's description of the error that stopped it.
std::string immunisationFailedMessage(ImmunisationMode mode, const std::string& description);
inline constexpr const char* kImmunisationFailedTitle = "提示";

}  // namespace qv::protection
