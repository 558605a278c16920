// The system settings file XTset.ini: the nine options of the system settings page,
// loaded at start-up by Jiazai2. Not built yet: every option keeps its designed value at
// start-up, exactly as when the file is not there.

#include "guard/main_window/Form1.h"

namespace qv {

void Form1::Jiazai2() {}

}  // namespace qv
