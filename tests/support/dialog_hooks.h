#pragma once
// While alive, records the texts of message boxes (answered with IDOK) and the codes of exit
// requests instead of showing or ending anything. Hooks are called on the user-interface thread.

#include <string>
#include <vector>

namespace tripdesk::test {

class DialogHooks {
public:
    DialogHooks();
    ~DialogHooks();
    DialogHooks(const DialogHooks&) = delete;
    DialogHooks& operator=(const DialogHooks&) = delete;

    std::vector<std::string> messages;
    std::vector<int> exitCodes;
};

} // namespace tripdesk::test
