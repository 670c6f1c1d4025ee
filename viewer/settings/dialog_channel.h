#pragma once
// The start-up channel dialog: one or two channels for the whole run. Enter and the system-menu
// close accept the choice; Escape cancels.

#include <QImage>
#include <string>

#include "platform/dialog.h"

namespace settings {

class CDialogChannel : public platform::Dialog {
    Q_OBJECT
public:
    explicit CDialogChannel(QWidget* parent = nullptr);

    // The OK button's bitmap, given before the dialog runs.
    void SetOkBitmap(const QImage& bitmap) { okBitmap_ = bitmap; }

    int channelChoice() const { return channelChoice_; }    // 0 "1 Channel", 1 "2 Channel"
    int viewModeChoice() const { return viewModeChoice_; }  // stays 0: the group is never shown
    const std::string& password() const { return password_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnSystemClose() override;
    void OnEraseBackground(QPainter& painter) override;

private:
    QImage okBitmap_;
    int channelChoice_ = 0;
    int viewModeChoice_ = 0;
    std::string password_;
};

} // namespace settings
