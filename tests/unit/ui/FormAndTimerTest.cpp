// Forms (load, resize, close requests, load-on-use and unload) and timers on the manual
// clock of the headless host.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/FormSlot.h"
#include "tests/support/HeadlessHost.h"

namespace qv::ui {
namespace {

TEST(FormTest, LoadRunsOnceAndShowLoadsFirst) {
    test::HeadlessHost host;
    Form form{host, "F"};
    int loads = 0;
    form.onLoad = [&] { ++loads; };
    form.show();
    form.show();
    form.load();
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(form.visible());
    form.hide();
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(host.log(), (std::vector<std::string>{"show F", "hide F"}));
}

TEST(FormTest, AResizeHandlerThatFixesTheSizeSettlesAtOnce) {
    test::HeadlessHost host;
    Form form{host, "F"};
    form.setBounds({0, 0, 7380, 6090});
    int resizes = 0;
    form.onResize = [&] {
        ++resizes;
        form.setSize(7380, 6090);
    };
    form.load();
    form.setSize(7380, 6120);
    EXPECT_EQ(form.bounds().height, 6090);
    EXPECT_EQ(resizes, 2);  // the size set in code, then the fixed size once more
    form.placedByHost({300, 200, 7380, 6090});
    EXPECT_EQ(resizes, 2) << "a move alone is no resize";
}

TEST(FormTest, CloseRequestCanBeCancelledAndOtherwiseGoesToTheOwner) {
    test::HeadlessHost host;
    Form form{host, "F"};
    std::vector<CloseReason> reasons;
    int unloads = 0;
    form.onQueryUnload = [&](bool& cancel, CloseReason reason) {
        reasons.push_back(reason);
        cancel = reason == CloseReason::UserClose;
    };
    form.onUnloadRequested = [&] { ++unloads; };
    EXPECT_FALSE(form.requestClose(CloseReason::UserClose));
    EXPECT_TRUE(form.requestClose(CloseReason::WindowsShutdown));
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(reasons.size(), 2u);
}

TEST(TimerTest, TicksInDueOrderAndRestartsItsWaitOnEveryChange) {
    test::HeadlessHost host;
    Form form{host, "F"};
    Timer fast{form, "Fast"}, slow{form, "Slow"};
    std::vector<std::string> ticks;
    fast.onTimer = [&] { ticks.push_back("fast@" + std::to_string(host.now())); };
    slow.onTimer = [&] { ticks.push_back("slow@" + std::to_string(host.now())); };
    fast.setInterval(1500);
    slow.setInterval(1800);

    host.advance(3000);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast@1500", "slow@1800", "fast@3000"}));

    ticks.clear();
    slow.setEnabled(false);
    slow.setEnabled(true);  // waits a whole interval again from now (3000)
    host.advance(1799);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast@4500"}));
    host.advance(1);
    EXPECT_EQ(ticks.back(), "slow@4800");
}

TEST(TimerTest, ATimerStoppedByItsOwnTickDoesNotTickAgain) {
    test::HeadlessHost host;
    Form form{host, "F"};
    Timer timer{form, "T"};
    int ticks = 0;
    timer.onTimer = [&] {
        if (++ticks == 2) timer.setEnabled(false);
    };
    timer.setInterval(1000);
    host.advance(10000);
    EXPECT_EQ(ticks, 2);
}

TEST(TimerTest, TimersKeepTickingWhileAModalDialogIsOpen) {
    test::HeadlessHost host;
    Form main{host, "Main"}, dialog{host, "Dialog"};
    Timer background{main, "Background"}, countdown{dialog, "Countdown"};
    int backgroundTicks = 0, countdownTicks = 0;
    background.onTimer = [&] { ++backgroundTicks; };
    countdown.onTimer = [&] {
        if (++countdownTicks == 3) dialog.hide();
    };
    background.setInterval(1800);
    countdown.setInterval(1000);
    countdown.setEnabled(false);

    host.expectModal("Dialog", [&](Form&) {
        countdown.setEnabled(true);
        host.advance(3000);
    });
    dialog.showModal();
    EXPECT_EQ(countdownTicks, 3);
    EXPECT_EQ(backgroundTicks, 1);
    EXPECT_FALSE(dialog.visible());
}

class Dialog : public Form {
public:
    explicit Dialog(UiHost& host) : Form(host, "Dialog") {}
    Timer Timer1{*this, "Timer1"};
};

TEST(FormSlotTest, LoadsOnFirstUseAndUnloadStopsTimersBeforeDestroyingLater) {
    test::HeadlessHost host;
    FormGraveyard graveyard;
    int made = 0;
    FormSlot<Dialog> slot(graveyard, [&] {
        ++made;
        return std::make_unique<Dialog>(host);
    });
    EXPECT_FALSE(slot.loaded());
    Dialog& dialog = slot.get();
    slot.get();
    EXPECT_EQ(made, 1);

    int ticks = 0;
    dialog.Timer1.onTimer = [&] { ++ticks; };
    dialog.Timer1.setInterval(1000);
    dialog.show();
    dialog.requestClose(CloseReason::UserClose);  // unloads through the slot
    EXPECT_FALSE(slot.loaded());
    EXPECT_FALSE(dialog.visible());
    host.advance(5000);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(graveyard.empty()) << "still alive: a handler of it may be running";

    graveyard.collect();
    EXPECT_EQ(host.log().back(), "destroy Dialog");
    slot.get();
    EXPECT_EQ(made, 2) << "the next use loads a fresh form";
}

}  // namespace
}  // namespace qv::ui
