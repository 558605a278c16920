#include "guard/app/Guard.h"

#include "guard/main_window/Form1.h"
#include "guard/main_window/MonitorOptions.h"
#include "guard/main_window/SystemSettingsSave.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/InsertionCheck.h"
#include "guard/monitor/Monitor.h"
#include "guard/monitor/Tips.h"
#include "guard/protection/EmergencyCleaner.h"
#include "guard/protection/IgnoreList.h"
#include "guard/protection/Immunisation.h"
#include "guard/protection/MasterSwitches.h"
#include "guard/protection/PolicySwitches.h"
#include "guard/shell/ExternalLinks.h"
#include "guard/shell/Form3.h"
#include "guard/shell/Form4.h"
#include "guard/shell/Form6.h"
#include "guard/shell/LifecycleMenu.h"
#include "guard/shell/Navigation.h"

namespace qv {

Guard::Guard(ui::UiHost& host, platform::Services& services)
    : host_(host),
      services_(services),
      protectionLog_(services.files, services.clock),
      form2_(graveyard_, [this] { return std::make_unique<Form2>(*this); }),
      form5_(graveyard_,
             [this] {
                 auto form = std::make_unique<Form5>(*this);
                 lifecycleMenu_->attach(*form);
                 return form;
             }),
      tips_(graveyard_, [this] { return std::make_unique<Tips>(*this); }),
      form4_(graveyard_, [this] { return std::make_unique<Form4>(*this); }),
      form6_(graveyard_, [this] { return std::make_unique<Form6>(*this); }) {
    form1_ = std::make_unique<Form1>(*this);
    form3_ = std::make_unique<Form3>(*this);
    // The behaviour of the main window's pages, wired to its controls.
    links_ = std::make_unique<ExternalLinks>(*this);
    systemSettingsSave_ = std::make_unique<SystemSettingsSave>(*this);
    navigation_ = std::make_unique<Navigation>(*form1_);
    lifecycleMenu_ = std::make_unique<LifecycleMenu>(*this);
    ignoreList_ = std::make_unique<IgnoreList>(*form1_);
    monitorOptions_ = std::make_unique<MonitorOptions>(*this);
    masterSwitches_ = std::make_unique<protection::MasterSwitches>(*this);
    monitor_ = std::make_unique<monitor::Monitor>(*this);
    insertionCheck_ = std::make_unique<monitor::InsertionCheck>(*this, *monitor_);
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
Form2& Guard::form2() {
    return form2_.get();
}
bool Guard::form2Loaded() const {
    return form2_.loaded();
}
void Guard::unloadForm2() {
    form2_.unload();
}

void Guard::showThreatDialog(const std::string& path) {
    // Only one threat dialog at a time: a fresh one for every file.
    form2_.unload();
    Form2& dialog = form2_.get();
    dialog.Szwz.setText(path);
    if (form2_.ifLoaded() == &dialog) dialog.showModal();
}

void Guard::showSuspiciousFiles() {
    Form5* dialog = form5_.ifLoaded();
    if (dialog && dialog->List1.listCount() > 0) dialog->showModal();
}

void Guard::volumeArrived() {
    insertionCheck_->run();
}

void Guard::showToast(const std::string& text) {
    Tips& toast = tips_.get();
    toast.Label1.setCaption(text);
    toast.show();
}
Tips* Guard::tipsIfLoaded() const {
    return tips_.ifLoaded();
}
void Guard::unloadTips() {
    tips_.unload();
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
