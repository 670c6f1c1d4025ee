#pragma once
// The format's progress window (template 158, skinned): it starts the format worker for the
// selected volume and shows its reports; the format cannot be stopped, so Enter, Escape, Alt+F4
// and close requests change nothing and only the worker's last report closes it. RunModal joins
// the worker before it returns, so no thread outlives the window.

#include <functional>
#include <thread>

#include "format_worker.h"
#include "skin/skin_dialog.h"

namespace skin {
class SkinProgress;
}

namespace clockfix {

class CFormatProgressDlg : public skin::SkinDialog {
    Q_OBJECT
public:
    // onDone runs on a successful format, before the done message shows.
    CFormatProgressDlg(FormatTarget target, std::function<void()> onDone, QWidget* parent = nullptr);
    ~CFormatProgressDlg() override;

    // DoModal, then the worker joined.
    int RunModal();

    skin::SkinProgress* bar() const { return bar_; }
    bool workerRunning() const { return worker_.joinable(); }

    platform::LRESULT WindowProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void Finish(int message);

    FormatTarget target_;
    std::function<void()> onDone_;
    skin::SkinProgress* bar_ = nullptr;
    std::thread worker_;
};

} // namespace clockfix
