#include "guard/app/Guard.h"

#include "guard/main_window/Form1.h"
#include "guard/main_window/SystemSettingsSave.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/ExternalLinks.h"
#include "guard/shell/Form3.h"
#include "guard/shell/Form4.h"
#include "guard/shell/Form6.h"

namespace qv {

Guard::Guard(ui::UiHost& host, platform::Services& services)
    : host_(host),
      services_(services),
      form5_(graveyard_, [this] { return std::make_unique<Form5>(*this); }),
      form4_(graveyard_, [this] { return std::make_unique<Form4>(*this); }),
      form6_(graveyard_, [this] { return std::make_unique<Form6>(*this); }) {
    form1_ = std::make_unique<Form1>(*this);
    form3_ = std::make_unique<Form3>(*this);
    links_ = std::make_unique<ExternalLinks>(*this);
    systemSettingsSave_ = std::make_unique<SystemSettingsSave>(*this);
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
Form4& Guard::form4() {
    return form4_.get();
}
bool Guard::form4Loaded() const {
    return form4_.loaded();
}
Form6& Guard::form6() {
    return form6_.get();
}
bool Guard::form6Loaded() const {
    return form6_.loaded();
}
void Guard::unloadForm6() {
    form6_.unload();
}

}  // namespace qv
