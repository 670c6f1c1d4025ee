#pragma once
// Standard dialogs the programs show: message boxes, the shell folder browser and the print
// dialog. Each goes through a hook that tests replace to record what was shown and to answer
// without a person; without a hook the Qt dialog is shown.

#include <functional>
#include <optional>
#include <string>

class QWidget;
class QPrinter;

namespace platform {

inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
    QWidget* parent = nullptr;
    std::string text;
    std::string caption;
    unsigned type = MB_OK;
};
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Shows the box modally and returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
int MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
               unsigned type = MB_OK);
void SetMessageBoxHook(MessageBoxHook hook);

struct FolderBrowseRequest {
    QWidget* parent = nullptr;
    std::string title;
    std::string startFolder;   // selected when it exists
    std::string currentDir;    // selected first (the process's current folder)
};
// nullopt: the user cancelled. An empty string: the choice has no file-system path.
using FolderBrowserHook = std::function<std::optional<std::string>(const FolderBrowseRequest&)>;

std::optional<std::string> BrowseForFolder(const FolderBrowseRequest& request);
void SetFolderBrowserHook(FolderBrowserHook hook);

// True when the user accepted the print dialog for this printer.
using PrintDialogHook = std::function<bool(QPrinter& printer, QWidget* parent)>;
bool RunPrintDialog(QPrinter& printer, QWidget* parent);
void SetPrintDialogHook(PrintDialogHook hook);

} // namespace platform
