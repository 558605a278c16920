// The two settings loaders that start-up calls. Reading QVset.ini and XTset.ini is not
// built yet: until it is, every option keeps its designed value at start-up, exactly as
// when neither file is present.

#include "guard/main_window/Form1.h"

namespace qv {

void Form1::Jiazai() {}

void Form1::Jiazai2() {}

}  // namespace qv
