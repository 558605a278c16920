#pragma once
// The base of every control of the control model. A control holds what the program reads
// and writes (caption, visibility, position, colours, tool tip ...). Every change goes
// through a setter that tells the host, so a window that shows the control can follow;
// setting the value a property already has does nothing.

#include <functional>
#include <string>

#include "guard/platform/ui/Geometry.h"

namespace qv::ui {

class Form;

enum class ControlKind {
    CheckBox,
    OptionButton,
    CommandButton,
    Label,
    TextBox,
    ListBox,
    DriveList,
    DirList,
    Frame,
    Image,
    Shape,
    ProgressBar,
    Timer,
    WebBrowser,
    Menu,
    MenuItem,
};

// Which property of a control or form changed, as told to the host.
enum class Property {
    Caption,
    Text,
    Value,
    Visible,
    Enabled,
    Bounds,
    ToolTip,
    ForeColor,
    BackColor,
    BorderStyle,
    Cursor,
    Font,
    Items,
    Selection,
    Picture,
    Range,
    Timer,
};

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

enum class Cursor {
    Default,
    Hand,  // the pointing hand of clickable pictures and link labels
};

enum class Border {
    None = 0,
    FixedSingle = 1,
};

struct Font {
    std::string face;   // empty: the form's default font
    double points = 0;  // 0: the default size
    bool bold = false;
    // Extra pixels (at 96 DPI, scaled with the screen's) after each wide (CJK) character
    // and space of a label; negative sets them closer, closer still where the line would
    // not fit. Latin letters and digits keep their own spacing.
    int wideSpacing = 0;
    // Every character as wide as the next (a CJK one twice as wide), so that text in
    // columns lines up; the face is only the first choice.
    bool fixedPitch = false;
    friend bool operator==(const Font&, const Font&) = default;
};

class Control {
public:
    Control(Form& form, std::string name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }

    // The frame (or menu) that holds the control; nullptr for the form's own surface.
    Control* container() const { return container_; }
    void setContainer(Control* container);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible itself and inside visible containers (the form's own visibility aside).
    bool shownInForm() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    Rect bounds() const { return bounds_; }
    void setBounds(Rect bounds);
    void move(Twips left, Twips top) { setBounds({left, top, bounds_.width, bounds_.height}); }
    void setLeft(Twips v) { setBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
    void setTop(Twips v) { setBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
    void setWidth(Twips v) { setBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
    void setHeight(Twips v) { setBounds({bounds_.left, bounds_.top, bounds_.width, v}); }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string toolTip);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);
    Color backColor() const { return backColor_; }
    void setBackColor(Color color);
    Border borderStyle() const { return borderStyle_; }
    void setBorderStyle(Border border);
    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor cursor);
    const Font& font() const { return font_; }
    void setFont(Font font);

    // What a user's action does; hosts and tests call these. click() is overridden by
    // the controls whose click changes their value.
    virtual void click();
    void dblClick();
    void mouseDown(MouseButton button);
    void mouseUp(MouseButton button);
    void mouseMove();

    // Event handlers, set by the form that owns the control.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(MouseButton)> onMouseDown;
    std::function<void(MouseButton)> onMouseUp;
    std::function<void()> onMouseMove;

protected:
    void changed(Property property);
    virtual void captionChanged() {}

private:
    Form& form_;
    std::string name_;
    ControlKind kind_;
    Control* container_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    Rect bounds_;
    std::string caption_;
    std::string toolTip_;
    Color foreColor_ = kSystemTextColor;
    Color backColor_ = kSystemFaceColor;
    Border borderStyle_ = Border::None;
    Cursor cursor_ = Cursor::Default;
    Font font_;
};

}  // namespace qv::ui
