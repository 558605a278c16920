// The protection settings file QVset.ini: the monitoring options and the mode, loaded at
// start-up by Jiazai. Not built yet: every option keeps its designed value at start-up,
// exactly as when the file is not there.

#include "guard/main_window/Form1.h"

namespace qv {

void Form1::Jiazai() {}

}  // namespace qv
