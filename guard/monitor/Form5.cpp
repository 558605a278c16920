#include "guard/monitor/Form5.h"

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/shell/ExternalLinks.h"

namespace qv {

Form5::Form5(Guard& guard) : ui::Form(guard.host(), "Form5"), guard_(guard) {
    design();
    Dir1.setSource([&files = guard.services().files](const std::string& folder) {
        return files.subfolders(folder);
    });
    onPaint = [this] { host().setTopmost(*this); };
    Command1.onClick = [this] { Command1_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    guard.links().wireMenu(*this);
}

// Deletes the selected file; its line goes whether or not the deletion succeeded (a file
// that stays is listed again by the next scan).
void Form5::Command1_Click() {
    int selected = List1.listIndex();
    if (selected < 0) return;
    (void)guard_.services().files.deleteFile(List1.list(selected));
    List1.removeItem(selected);
    if (List1.listCount() == 0) close();
}

void Form5::Command4_Click() {
    for (const std::string& path : List1.items()) (void)guard_.services().files.deleteFile(path);
    close();
}

void Form5::Command3_Click() {
    close();
}

// Unticking the option runs its own handling, which lowers the protection score.
void Form5::Command2_Click() {
    guard_.form1().Upcrsm.setValue(0);
    close();
}

void Form5::close() {
    guard_.unloadForm5();
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
