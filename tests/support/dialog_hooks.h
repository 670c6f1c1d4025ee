#pragma once
// While alive, records the texts of message boxes (answered with IDOK), the folder browsers
// asked for (answered from folderAnswers in order, then cancelled) and the codes of exit
// requests, instead of showing or ending anything. Hooks are called on the user-interface thread.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace tripdesk::test {

class DialogHooks {
public:
    DialogHooks();
    ~DialogHooks();
    DialogHooks(const DialogHooks&) = delete;
    DialogHooks& operator=(const DialogHooks&) = delete;

    std::vector<std::string> messages;
    std::vector<int> exitCodes;
    std::vector<platform::FolderBrowseRequest> folderRequests;
    // The user's answers to the next folder browsers: a path, or nullopt for cancel.
    std::deque<std::optional<std::string>> folderAnswers;
};

} // namespace tripdesk::test
