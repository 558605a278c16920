#pragma once
// The list controls: a list box and a folder list as LISTBOX windows, a drive list as a
// drop-down COMBOBOX. The user's choice of a line goes to the model's setListIndex, and
// the window then shows the selection the model holds (a handler may refuse the choice).

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/SystemWindowAdapter.h"

namespace qv::win32 {

class ListBoxAdapter final : public SystemWindowAdapter {
public:
    ListBoxAdapter(FormControls& form, ui::ListBox& list);
    std::optional<ui::Property> notified(int code) override;

protected:
    WindowSpec windowSpec() const override;
    void showContent() override;
    void show(ui::Property property) override;
    Colours colours() const override { return editColours(); }

private:
    ui::ListBox& list_;
};

// A folder list shows the last part of each path. It holds no selection, so a line the
// user picks in it means nothing to the model.
class DirListAdapter final : public SystemWindowAdapter {
public:
    DirListAdapter(FormControls& form, ui::DirList& folders);

protected:
    WindowSpec windowSpec() const override;
    void showContent() override;
    void show(ui::Property property) override;
    Colours colours() const override { return editColours(); }

private:
    ui::DirList& folders_;
};

class DriveListAdapter final : public SystemWindowAdapter {
public:
    DriveListAdapter(FormControls& form, ui::DriveList& drives);
    std::optional<ui::Property> notified(int code) override;
    // As tall as its field plus the list it drops.
    RECT windowRect() const override;

protected:
    WindowSpec windowSpec() const override;
    void showContent() override;
    void show(ui::Property property) override;

private:
    ui::DriveList& drives_;
};

}  // namespace qv::win32
