#include "guard/main_window/Form1.h"

#include "guard/app/Guard.h"

namespace qv {
Form1::Form1(Guard& guard) : ui::Form(guard.host(), "Form1") {}
}  // namespace qv
