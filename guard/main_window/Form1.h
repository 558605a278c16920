#pragma once
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {
class Guard;
class Form1 : public ui::Form {
public:
    explicit Form1(Guard& guard);
    bool refusedToStart() const { return false; }
};
}  // namespace qv
