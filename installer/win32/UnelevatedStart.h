#pragma once
// Starting a program with the rights of the user who is logged on, from the setup
// program, which runs elevated: the guard it offers to start at the end must not inherit
// an administrator's rights (it would then write where the user cannot, and a later,
// unelevated uninstall could not end it).

#include <string>

#include "common/Status.h"

namespace qv::setup::win32 {

// Starts `program` (a full path) in its own folder with the user's ordinary rights: through
// the desktop's shell, which runs with them, or else with the limited token linked to this
// program's elevated one where the system hands that out as a token to start programs
// with. Never with this program's own rights: failing both, nothing is started.
Status startUnelevated(const std::wstring& program);

}  // namespace qv::setup::win32
