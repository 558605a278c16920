#pragma once
// Progress bars: windows of the common-controls library (loaded when the first bar is
// made), showing the model's range and value. The user does nothing to them.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/SystemWindowAdapter.h"

namespace qv::win32 {

class ProgressBarAdapter final : public SystemWindowAdapter {
public:
    ProgressBarAdapter(FormControls& form, ui::ProgressBar& bar);

protected:
    // No window when the library cannot be loaded.
    WindowSpec windowSpec() const override;
    void showContent() override;
    void show(ui::Property property) override;

private:
    ui::ProgressBar& bar_;
};

}  // namespace qv::win32
