#include "guard/platform/ui/Controls.h"

#include <algorithm>
#include <utility>

#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::ui {

CheckBox::CheckBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::CheckBox) {}

void CheckBox::setValue(int value) {
    if (value_ == value) return;
    value_ = value;
    changed(Property::Value);
    if (onClick) onClick();
}

void CheckBox::click() {
    setValue(value_ == 0 ? 1 : 0);
}

OptionButton::OptionButton(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::OptionButton) {}

void OptionButton::setValue(bool value) {
    if (value_ == value) return;
    value_ = value;
    changed(Property::Value);
    if (!value) return;
    for (Control* other : form().controls()) {
        if (other == this || other->kind() != ControlKind::OptionButton) continue;
        if (other->container() != container()) continue;
        auto* option = static_cast<OptionButton*>(other);
        if (option->value_) {
            option->value_ = false;
            option->changed(Property::Value);
        }
    }
    if (onClick) onClick();
}

void OptionButton::click() {
    setValue(true);
}

CommandButton::CommandButton(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::CommandButton) {}

Label::Label(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Label) {}

void Label::captionChanged() {
    if (onChange) onChange();
}

TextBox::TextBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::TextBox) {
    setBorderStyle(Border::FixedSingle);
    setBackColor(kWhite);
}

void TextBox::setText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    changed(Property::Text);
    if (onChange) onChange();
}

namespace {

// Cuts UTF-8 text to at most `count` characters.
std::string firstCharacters(const std::string& text, int count) {
    size_t i = 0;
    for (int n = 0; i < text.size() && n < count; ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return text.substr(0, i);
}

}  // namespace

void TextBox::type(std::string text) {
    if (locked_) return;
    if (maxLength_ > 0) text = firstCharacters(text, maxLength_);
    setText(std::move(text));
}

ListBox::ListBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::ListBox) {
    setBorderStyle(Border::FixedSingle);
    setBackColor(kWhite);
}

void ListBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    changed(Property::Items);
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= listCount()) return;
    items_.erase(items_.begin() + index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    changed(Property::Items);
}

void ListBox::clear() {
    if (items_.empty()) return;
    items_.clear();
    listIndex_ = -1;
    changed(Property::Items);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount() || index == listIndex_) return;
    listIndex_ = index;
    changed(Property::Selection);
    if (onClick) onClick();
}

DriveList::DriveList(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::DriveList) {
    setBackColor(kWhite);
}

void DriveList::refresh() {
    fresh_.clear();
    if (source_) source_(fresh_);
    if (fresh_ == entries_) return;
    std::string current = listIndex_ < 0 ? startDrive_ : drive();
    entries_.swap(fresh_);
    changed(Property::Items);
    auto kept = std::find(entries_.begin(), entries_.end(), current);
    int index = kept != entries_.end() ? static_cast<int>(kept - entries_.begin())
                                       : (entries_.empty() ? -1 : 0);
    listIndex_ = index;
    changed(Property::Selection);  // a refresh alone never runs onChange
}

std::string DriveList::drive() const {
    if (listIndex_ < 0 || listIndex_ >= listCount()) return {};
    return entries_[static_cast<size_t>(listIndex_)];
}

void DriveList::setListIndex(int index) {
    if (index < 0 || index >= listCount() || index == listIndex_) return;
    listIndex_ = index;
    changed(Property::Selection);
    if (onChange) onChange();
}

DirList::DirList(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::DirList) {
    setBackColor(kWhite);
}

void DirList::setPath(std::string path) {
    path_ = std::move(path);
    std::optional<std::vector<std::string>> listed;
    if (source_) listed = source_(path_);
    entries_ = listed ? std::move(*listed) : std::vector<std::string>{};
    changed(Property::Items);
}

void DirList::setListing(std::string path, std::vector<std::string> entries) {
    path_ = std::move(path);
    entries_ = std::move(entries);
    changed(Property::Items);
}

Frame::Frame(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Frame) {}

Image::Image(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Image) {}

void Image::setPicture(std::string picture) {
    if (picture_ == picture) return;
    picture_ = std::move(picture);
    changed(Property::Picture);
}

Shape::Shape(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Shape) {}

void Shape::setBorderColor(Color color) {
    if (borderColor_ == color) return;
    borderColor_ = color;
    changed(Property::ForeColor);
}

void Shape::setBorderWidth(int width) {
    if (borderWidth_ == width) return;
    borderWidth_ = width;
    changed(Property::BorderStyle);
}

void Shape::setFillStyle(FillStyle style) {
    if (fillStyle_ == style) return;
    fillStyle_ = style;
    changed(Property::BackColor);
}

ProgressBar::ProgressBar(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::ProgressBar) {}

void ProgressBar::setRange(int min, int max) {
    if (min_ == min && max_ == max) return;
    min_ = min;
    max_ = max;
    changed(Property::Range);
}

void ProgressBar::setValue(int value) {
    if (value_ == value) return;
    value_ = value;
    changed(Property::Value);
}

Timer::Timer(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Timer) {
    setVisible(false);
}

Timer::~Timer() {
    form().host().timerDestroyed(*this);
}

void Timer::setInterval(int milliseconds) {
    if (interval_ == milliseconds) return;
    interval_ = milliseconds;
    form().host().timerChanged(*this);
}

void Timer::tick() {
    if (running() && onTimer) onTimer();
}

WebBrowser::WebBrowser(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::WebBrowser) {}

void WebBrowser::navigate(const std::string& url) {
    location_ = url;
    if (navigator_) navigator_(url);
}

Menu::Menu(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Menu) {
    setVisible(false);  // never shown in a menu bar, only as a pop-up
}

std::vector<Control*> Menu::items() const {
    std::vector<Control*> items;
    for (Control* c : form().controls()) {
        if (c->kind() == ControlKind::MenuItem && c->container() == this) items.push_back(c);
    }
    return items;
}

MenuItem::MenuItem(Form& form, std::string name, Menu& menu)
    : Control(form, std::move(name), ControlKind::MenuItem) {
    setContainer(&menu);
}

}  // namespace qv::ui
