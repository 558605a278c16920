#pragma once
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {
class Guard;
class Form3 : public ui::Form {
public:
    explicit Form3(Guard& guard);
};
}  // namespace qv
