#include "dialog_hooks.h"

#include "platform/process.h"
#include "platform/win_types.h"

namespace tripdesk::test {

DialogHooks::DialogHooks() {
    platform::SetMessageBoxHook([this](const platform::MessageBoxRequest& request) {
        messages.push_back(request.text);
        return platform::IDOK;
    });
    platform::SetFolderBrowserHook([this](const platform::FolderBrowseRequest& request) {
        folderRequests.push_back(request);
        if (folderAnswers.empty()) return std::optional<std::string>();
        std::optional<std::string> answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    });
    platform::SetExitHook([this](int code) { exitCodes.push_back(code); });
}

DialogHooks::~DialogHooks() {
    platform::SetMessageBoxHook(nullptr);
    platform::SetFolderBrowserHook(nullptr);
    platform::SetExitHook(nullptr);
}

} // namespace tripdesk::test
