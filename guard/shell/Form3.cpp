#include "guard/shell/Form3.h"

#include "guard/app/Guard.h"

namespace qv {
Form3::Form3(Guard& guard) : ui::Form(guard.host(), "Form3") {}
}  // namespace qv
