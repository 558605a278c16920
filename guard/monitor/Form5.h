#pragma once
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {
class Guard;
class Form5 : public ui::Form {
public:
    explicit Form5(Guard& guard);
};
}  // namespace qv
