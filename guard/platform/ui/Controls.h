#pragma once
// The control kinds of the model. A change of value made by code runs the control's event
// exactly as a user's action does, and only when the value really changes.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "guard/platform/ui/Control.h"

namespace qv::ui {

// Value 1 is ticked, 0 is clear; readers count a box as ticked only when it holds 1.
class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name);
    int value() const { return value_; }
    bool ticked() const { return value_ == 1; }
    // Runs onClick when the value changes, whoever changes it.
    void setValue(int value);
    void click() override;  // the user's click toggles the tick

private:
    int value_ = 0;
};

// Option buttons with the same container form one group: selecting one clears the others.
class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name);
    bool value() const { return value_; }
    // Selecting runs onClick (only when it was not selected); clearing runs nothing.
    void setValue(bool value);
    void click() override;  // the user's click selects

private:
    bool value_ = false;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name);
    // The default button of its form: Return clicks it wherever the keyboard's focus is,
    // unless that is on another button. Set by the design, before the form is shown.
    bool isDefault() const { return default_; }
    void setDefault(bool v) { default_ = v; }

private:
    bool default_ = false;
};

// A label's caption change runs onChange.
class Label : public Control {
public:
    Label(Form& form, std::string name);
    std::function<void()> onChange;

private:
    void captionChanged() override;
};

enum class ScrollBars { None, Vertical };

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name);
    const std::string& text() const { return text_; }
    // Runs onChange when the text changes.
    void setText(std::string text);
    // What the user's typing does: the text is cut to maxLength characters first; a
    // locked box takes nothing.
    void type(std::string text);

    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool v) { multiLine_ = v; }
    bool locked() const { return locked_; }  // read-only for the user
    void setLocked(bool v) { locked_ = v; }
    int maxLength() const { return maxLength_; }  // 0: no limit
    void setMaxLength(int v) { maxLength_ = v; }
    // The keyboard enters digits only (the window refuses other keys); text pasted in
    // arrives as it is, for the owner's change handling.
    bool digitsOnly() const { return digitsOnly_; }
    void setDigitsOnly(bool v) { digitsOnly_ = v; }
    ScrollBars scrollBars() const { return scrollBars_; }
    void setScrollBars(ScrollBars v) { scrollBars_ = v; }

    std::function<void()> onChange;

private:
    std::string text_;
    bool multiLine_ = false;
    bool locked_ = false;
    int maxLength_ = 0;
    bool digitsOnly_ = false;
    ScrollBars scrollBars_ = ScrollBars::None;
};

// A list of text lines with at most one selected (listIndex -1: none).
class ListBox : public Control {
public:
    ListBox(Form& form, std::string name);
    const std::vector<std::string>& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    const std::string& list(int index) const { return items_.at(static_cast<size_t>(index)); }
    void addItem(std::string item);
    void removeItem(int index);
    void clear();
    int listIndex() const { return listIndex_; }
    // Selecting another line runs onClick.
    void setListIndex(int index);

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// The computer's drives, one entry per drive, each beginning with the drive letter
// ("c:", "e:"); one entry is the current drive.
class DriveList : public Control {
public:
    // Fills the given list (emptied first) with the drives present; filling one kept list
    // lets a refresh that finds the same drives run without the heap.
    using Source = std::function<void(std::vector<std::string>&)>;
    DriveList(Form& form, std::string name);
    void setSource(Source source) { source_ = std::move(source); }
    // The entry ("c:") the list starts on, before a drive is chosen: the process's current
    // drive, as the system's own drive list starts. The first entry when it is not present.
    void setStartDrive(std::string entry) { startDrive_ = std::move(entry); }
    // Re-reads the drives; the current drive stays when it is still present. The window
    // hears of it only when the drives changed.
    void refresh();
    const std::vector<std::string>& entries() const { return entries_; }
    int listCount() const { return static_cast<int>(entries_.size()); }
    const std::string& list(int index) const { return entries_.at(static_cast<size_t>(index)); }
    int listIndex() const { return listIndex_; }
    // The current entry ("" when the list is empty).
    std::string drive() const;
    // Choosing another drive runs onChange.
    void setListIndex(int index);
    std::function<void()> onChange;

private:
    Source source_;
    std::string startDrive_;
    std::vector<std::string> entries_;
    std::vector<std::string> fresh_;  // the list a refresh reads into
    int listIndex_ = -1;
};

// The immediate subfolders of one folder, as full paths.
class DirList : public Control {
public:
    using Source = std::function<std::optional<std::vector<std::string>>(const std::string&)>;
    DirList(Form& form, std::string name);
    void setSource(Source source) { source_ = std::move(source); }
    const std::string& path() const { return path_; }
    // Points the list at a folder and lists it; a folder that cannot be listed gives none.
    void setPath(std::string path);
    // Points the list at a folder whose subfolders (full paths) the caller has just read.
    void setListing(std::string path, std::vector<std::string> entries);
    int listCount() const { return static_cast<int>(entries_.size()); }
    const std::string& list(int index) const { return entries_.at(static_cast<size_t>(index)); }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    Source source_;
    std::string path_;
    std::vector<std::string> entries_;
};

// A captioned group box; the controls it contains show only while it is visible.
class Frame : public Control {
public:
    Frame(Form& form, std::string name);
};

// A picture, named by the key under which the renderer draws it.
class Image : public Control {
public:
    Image(Form& form, std::string name);
    const std::string& picture() const { return picture_; }
    void setPicture(std::string picture);
    bool stretch() const { return stretch_; }
    void setStretch(bool v) { stretch_ = v; }

private:
    std::string picture_;
    bool stretch_ = true;
};

enum class FillStyle { Solid = 0, Transparent = 1 };

// A rectangle drawn in front of the controls below it.
class Shape : public Control {
public:
    Shape(Form& form, std::string name);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color color);
    int borderWidth() const { return borderWidth_; }  // pixels
    void setBorderWidth(int width);
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style);

private:
    Color borderColor_ = kBlack;
    int borderWidth_ = 1;
    FillStyle fillStyle_ = FillStyle::Transparent;
};

class ProgressBar : public Control {
public:
    ProgressBar(Form& form, std::string name);
    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);
    int value() const { return value_; }
    void setValue(int value);

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

// Ticks every `interval` milliseconds while enabled, on the user-interface thread. A
// change of interval or of the enabled state starts the wait afresh. The host schedules.
class Timer : public Control {
public:
    Timer(Form& form, std::string name);
    ~Timer() override;
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool running() const { return enabled() && interval_ > 0; }
    // Called by the host when the interval has passed.
    void tick();
    std::function<void()> onTimer;

private:
    int interval_ = 0;
};

// Loads a page in the background; the page is never shown.
class WebBrowser : public Control {
public:
    using Navigator = std::function<void(const std::string&)>;
    WebBrowser(Form& form, std::string name);
    void setNavigator(Navigator navigator) { navigator_ = std::move(navigator); }
    void navigate(const std::string& url);
    const std::string& locationUrl() const { return location_; }

private:
    Navigator navigator_;
    std::string location_;
};

// A pop-up menu; its items are the MenuItems whose container it is, in creation order.
class Menu : public Control {
public:
    Menu(Form& form, std::string name);
    std::vector<Control*> items() const;
};

class MenuItem : public Control {
public:
    MenuItem(Form& form, std::string name, Menu& menu);
};

}  // namespace qv::ui
