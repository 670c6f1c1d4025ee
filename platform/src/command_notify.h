#pragma once
// How controls report to their dialog: WM_COMMAND with the control id in the low word and the
// notification code in the high word, sent to the nearest platform window above the control.
// User-interface thread.

#include "platform/win_types.h"

class QWidget;

namespace platform::detail {

void NotifyParentCommand(QWidget* control, int id, UINT code);

} // namespace platform::detail
