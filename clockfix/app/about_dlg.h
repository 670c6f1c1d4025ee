#pragma once
// Clockfix's About box (template 100): program name and version, and OK.

#include "platform/dialog.h"

namespace clockfix {

class CAboutDlg : public platform::Dialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace clockfix
