#include "about_dlg.h"

#include "clockfix_resources.h"

namespace clockfix {

CAboutDlg::CAboutDlg(QWidget* parent) : platform::Dialog(clockfix_res::Dialog(clockfix_res::kAboutDialog), parent) {}

} // namespace clockfix
