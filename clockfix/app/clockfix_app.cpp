#include "clockfix_app.h"

#include <memory>

#include "clockfix_dlg.h"
#include "clockfix_ids.h"
#include "platform/single_instance.h"

namespace clockfix {

int RunClockfix() {
    platform::NamedMutex instance(kInstanceMutex);
    if (instance.alreadyExists()) return 0;
    auto dialog = std::make_unique<CClockfixDlg>();
    dialog->DoModal();
    instance.Close();
    return 0;
}

} // namespace clockfix
