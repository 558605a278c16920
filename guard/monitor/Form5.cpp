#include "guard/monitor/Form5.h"

#include "guard/app/Guard.h"

namespace qv {
Form5::Form5(Guard& guard) : ui::Form(guard.host(), "Form5") {}
}  // namespace qv
