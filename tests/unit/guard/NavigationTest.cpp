// Page navigation of the main window: which page shows and which image is marked after a
// sequence of clicks, the hover highlights, the pressed border of the tool pictures and
// the press colours of the link labels.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guard/main_window/Form1.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.guard.start();
        f.show();
    }

    std::vector<ui::Image*> images() { return {&f.Fhsz, &f.Jjsd, &f.Gjsz, &f.Xtsz, &f.Gywm}; }
    std::vector<ui::Frame*> frames() { return {&f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4}; }
    std::vector<ui::Shape*> shapes() {
        return {&f.Shape1, &f.Shape2, &f.Shape3, &f.Shape4, &f.Shape5};
    }
    std::vector<std::string> visibleShapes() {
        std::vector<std::string> names;
        for (ui::Shape* s : shapes()) {
            if (s->visible()) names.push_back(s->name());
        }
        return names;
    }

    test::GuardHarness h;
    Form1& f = h.guard.form1();
};

TEST_F(NavigationTest, EachClickShowsOnlyItsPageAndMarksOnlyItsImage) {
    for (ui::Image* image : images()) EXPECT_EQ(image->borderStyle(), ui::Border::None);

    struct Step {
        ui::Image& clicked;
        ui::Frame* page;           // nullptr: the monitoring page on the window itself
        ui::Control& pageControl;  // a control of that page, which must show
    };
    // Repeated clicks, the monitoring page between others, every page at least once.
    std::vector<Step> steps{
        {f.Gjsz, &f.Frame2, f.Image7},   {f.Gjsz, &f.Frame2, f.Command16},
        {f.Fhsz, nullptr, f.JcbdUp},     {f.Jjsd, &f.Frame1, f.Drive2},
        {f.Gywm, &f.Frame4, f.Label11},  {f.Xtsz, &f.Frame3, f.Command8},
        {f.Jjsd, &f.Frame1, f.Command7}, {f.Fhsz, nullptr, f.Yhl},
        {f.Fhsz, nullptr, f.Command1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.clicked.name());
        step.clicked.click();
        for (ui::Frame* frame : frames()) {
            EXPECT_EQ(frame->visible(), frame == step.page) << frame->name();
        }
        for (ui::Image* image : images()) {
            EXPECT_EQ(image->borderStyle(),
                      image == &step.clicked ? ui::Border::FixedSingle : ui::Border::None)
                << image->name();
        }
        EXPECT_TRUE(step.pageControl.shownInForm()) << step.pageControl.name();
        // The score, the links and the version line are outside the pages.
        for (ui::Control* always : std::initializer_list<ui::Control*>{
                 &f.Label1, &f.df, &f.Label3, &f.Label9, &f.Label8, &f.Label10}) {
            EXPECT_TRUE(always->shownInForm()) << always->name();
        }
    }
}

TEST_F(NavigationTest, EnteringAnImageShowsItsHighlightUntilThePointerCrossesTheBareWindow) {
    EXPECT_TRUE(visibleShapes().empty());
    f.Gjsz.mouseMove();
    EXPECT_EQ(visibleShapes(), (std::vector<std::string>{"Shape3"}));

    f.Label1.mouseMove();  // straight onto another control: the highlight stays
    f.Frame5.mouseMove();
    EXPECT_EQ(visibleShapes(), (std::vector<std::string>{"Shape3"}));
    f.Gywm.mouseMove();  // entering an image hides nothing
    EXPECT_EQ(visibleShapes(), (std::vector<std::string>{"Shape3", "Shape5"}));

    f.mouseMove();  // the bare window surface
    EXPECT_TRUE(visibleShapes().empty());

    f.Fhsz.mouseMove();
    f.Fhsz.mouseMove();
    EXPECT_EQ(visibleShapes(), (std::vector<std::string>{"Shape1"}));
    f.Fhsz.click();  // a click leaves the highlight alone
    EXPECT_EQ(visibleShapes(), (std::vector<std::string>{"Shape1"}));
    f.mouseMove();
    EXPECT_TRUE(visibleShapes().empty());
}

TEST_F(NavigationTest, ToolPicturesWearABorderWhileAnyButtonIsHeld) {
    f.Gjsz.click();
    for (ui::Image* tool : {&f.Image5, &f.Image6, &f.Image7, &f.Image8}) {
        for (ui::MouseButton button :
             {ui::MouseButton::Left, ui::MouseButton::Right, ui::MouseButton::Middle}) {
            SCOPED_TRACE(tool->name() + " button " + std::to_string(static_cast<int>(button)));
            tool->mouseDown(button);
            EXPECT_EQ(tool->borderStyle(), ui::Border::FixedSingle);
            for (ui::Image* other : {&f.Image5, &f.Image6, &f.Image7, &f.Image8}) {
                if (other == tool) continue;
                EXPECT_EQ(other->borderStyle(), ui::Border::None) << other->name();
            }
            tool->mouseUp(button);
            EXPECT_EQ(tool->borderStyle(), ui::Border::None);
        }
    }
    EXPECT_EQ(f.Gjsz.borderStyle(), ui::Border::FixedSingle) << "the page stays marked";
}

TEST_F(NavigationTest, LinkLabelsTakeTheirPressColourAndTurnBlackWhenReleased) {
    struct Link {
        ui::Label& label;
        ui::Color designed;
        ui::Color pressed;
    };
    for (Link link :
         {Link{f.Label11, 0x000000, 0x0000FF}, Link{f.Label5, ui::kSystemTextColor, 0xFFFFFF},
          Link{f.Label9, 0x0040C0, 0xFFFFFF}}) {
        SCOPED_TRACE(link.label.name());
        EXPECT_EQ(link.label.foreColor(), link.designed);
        for (int round = 0; round < 2; ++round) {
            link.label.mouseDown(round == 0 ? ui::MouseButton::Left : ui::MouseButton::Right);
            EXPECT_EQ(link.label.foreColor(), link.pressed);
            link.label.mouseUp(round == 0 ? ui::MouseButton::Left : ui::MouseButton::Right);
            EXPECT_EQ(link.label.foreColor(), 0x000000u) << "black, not the designed colour";
        }
    }
}

}  // namespace
}  // namespace qv
