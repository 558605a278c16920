#include "guard/monitor/Form5.h"

#include "guard/app/Guard.h"
#include "guard/shell/ExternalLinks.h"

namespace qv {

Form5::Form5(Guard& guard) : ui::Form(guard.host(), "Form5") {
    design();
    Dir1.setSource([&files = guard.services().files](const std::string& folder) {
        return files.subfolders(folder);
    });
    guard.links().wireMenu(*this);
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
