#include "guard/app/Guard.h"

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/protection/EmergencyCleaner.h"
#include "guard/protection/Immunisation.h"
#include "guard/protection/PolicySwitches.h"
#include "guard/shell/Form3.h"

namespace qv {

Guard::Guard(ui::UiHost& host, platform::Services& services)
    : host_(host),
      services_(services),
      form5_(graveyard_, [this] { return std::make_unique<Form5>(*this); }) {
    form1_ = std::make_unique<Form1>(*this);
    form3_ = std::make_unique<Form3>(*this);
    immunisation_ = std::make_unique<protection::Immunisation>(*this);
    emergencyCleaner_ = std::make_unique<protection::EmergencyCleaner>(*this);
    policySwitches_ = std::make_unique<protection::PolicySwitches>(*this);
}

Guard::~Guard() = default;

bool Guard::start() {
    form1_->load();
    return !form1_->refusedToStart();
}

Form1& Guard::form1() {
    return *form1_;
}
Form3& Guard::form3() {
    return *form3_;
}
Form5& Guard::form5() {
    return form5_.get();
}
bool Guard::form5Loaded() const {
    return form5_.loaded();
}
void Guard::unloadForm5() {
    form5_.unload();
}

}  // namespace qv
