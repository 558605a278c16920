#include "guard/monitor/Form5.h"

#include "common/removal/RemovalTexts.h"
#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

Form5::Form5(ui::UiHost& uiHost, Form1& main, platform::FileSystem& files,
             removal::DriveFileRemoval& removal, monitor::ProtectionLog& log)
    : ui::Form(uiHost, "Form5"), main_(main), files_(files), removal_(removal), log_(log) {
    design();
    Dir1.setSource(
        [&files = files_](const std::string& folder) { return files.subfolders(folder); });
    onPaint = [this] { host().setTopmost(*this); };
    Command1.onClick = [this] { Command1_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

// Deletes the selected file; its line goes once the file is gone.
void Form5::Command1_Click() {
    int selected = List1.listIndex();
    if (selected < 0 || !sameDrive()) return;
    const std::string path = List1.list(selected);
    removal::RemovalResult result = remove(path);
    if (!result.gone()) return tellNotRemoved({{path, result.reason()}});
    List1.removeItem(selected);
    if (List1.listCount() == 0) close();
}

// Closes once every file is gone; otherwise the lines of those that stayed remain.
void Form5::Command4_Click() {
    if (!sameDrive()) return;
    std::vector<removal::NotRemoved> stays;
    for (const std::string& path : List1.items()) {
        removal::RemovalResult result = remove(path);
        if (!result.gone()) stays.push_back({path, result.reason()});
    }
    if (stays.empty()) return close();
    List1.clear();
    for (const removal::NotRemoved& file : stays) List1.addItem(file.path);
    tellNotRemoved(stays);
}

void Form5::Command3_Click() {
    close();
}

// Unticking the option runs its own handling, which lowers the protection score.
void Form5::Command2_Click() {
    main_.Upcrsm.setValue(0);
    close();
}

removal::RemovalResult Form5::remove(const std::string& path) {
    removal::RemovalResult result = removal_.remove(path);
    if (result.removed()) log_.removed(path, monitor::Remover::SuspiciousFileDialog);
    return result;
}

// False, the user told and the dialog closed, when the stick the list is of has gone.
bool Form5::sameDrive() {
    if (examined_.unchangedOrTold(files_, host())) return true;
    close();
    return false;
}

void Form5::tellNotRemoved(const std::vector<removal::NotRemoved>& stays) {
    host().messageBox(removal::notRemovedText(stays), "错误", ui::MsgButtons::Ok);
}

// The dialog's slot unloads it, its list and menu with it.
void Form5::close() {
    requestClose(ui::CloseReason::Code);
}

void Form5::design() {
    setCaption("发现可疑文件！");
    setBorder(ui::FormBorder::FixedDialog);
    setStartPosition(ui::StartPosition::CenterScreen);
    setIcon("app");
    setBounds({0, 0, 6600, 3960});

    List1.setBounds({120, 120, 6255, 2460});
    List1.setToolTip(
        "这些文件同您的文件夹名称一样，十分可疑！若不是信任文件请删除！  ——作者提醒  "
        "By:林青木");
    Dir1.setBounds({120, 2700, 1215, 315});
    Dir1.setVisible(false);
    Command1.setBounds({120, 2820, 1455, 495});
    Command1.setCaption("删除文件");
    Command4.setBounds({1680, 2820, 1455, 495});
    Command4.setCaption("全部删除");
    Command3.setBounds({3240, 2820, 1455, 495});
    Command3.setCaption("不做处理");
    Command2.setBounds({4800, 2820, 1575, 495});
    Command2.setCaption("关闭U盘文件扫描");

    Cd.setCaption("菜单");
    Xianshi.setCaption("显示主窗体");
    Jinchenggl.setCaption("进程管理");
    wjll.setCaption("文件浏览");
    Chakan.setCaption("防护日志");
    PIfgg.setCaption("皮肤更换");
    Tuichu.setCaption("退出");
}

}  // namespace qv
