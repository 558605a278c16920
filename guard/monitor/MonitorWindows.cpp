#include "guard/monitor/MonitorWindows.h"

namespace qv::monitor {

MonitorWindows::MonitorWindows(ui::FormGraveyard& graveyard, ui::UiHost& host, Form1& main,
                               platform::FileSystem& files, removal::DriveFileRemoval& removal,
                               ProtectionLog& log, IgnoreList& ignoreList, MenuWiring& menuWiring)
    // The factories keep references to the objects themselves, not to these parameters.
    : form2_(graveyard,
             [&host = host, &main = main, &files = files, &removal = removal, &log = log,
              &ignoreList = ignoreList] {
                 return std::make_unique<Form2>(host, main, files, removal, log, ignoreList);
             }),
      form5_(graveyard,
             [&host = host, &main = main, &files = files, &removal = removal, &log = log,
              &menuWiring = menuWiring] {
                 auto form = std::make_unique<Form5>(host, main, files, removal, log);
                 menuWiring.wireMenu(*form);
                 return form;
             }),
      form7_(
          graveyard,
          [&host = host, &files = files, &removal = removal, &log = log, &ignoreList = ignoreList] {
              return std::make_unique<Form7>(host, files, removal, log, ignoreList);
          }),
      tips_(graveyard, [&host = host] { return std::make_unique<Tips>(host); }) {}

void MonitorWindows::showToast(const std::string& text) {
    Tips& toast = tips_.get();
    toast.Label1.setCaption(text);
    toast.show();
}

void MonitorWindows::showThreatDialog(const std::string& path) {
    // Only one threat dialog at a time: a fresh one for every file.
    form2_.unload();
    Form2& dialog = form2_.get();
    dialog.Szwz.setText(path);
    if (form2_.ifLoaded() == &dialog) dialog.showModal();
}

void MonitorWindows::showSuspiciousFiles() {
    Form5* dialog = form5_.ifLoaded();
    if (dialog && dialog->List1.listCount() > 0) dialog->showModal();
}

void MonitorWindows::showShortcutWorm(ShortcutWorm worm) {
    form7_.unload();
    Form7& dialog = form7_.get();
    dialog.setFindings(std::move(worm));
    dialog.showModal();
}

}  // namespace qv::monitor
