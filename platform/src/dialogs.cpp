#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <filesystem>
#include <mutex>

#include "platform/messages.h"
#include "platform/win_types.h"

namespace platform {

namespace {

struct Hooks {
    std::mutex mutex;
    MessageBoxHook messageBox;
    FolderBrowserHook folderBrowser;
    PrintDialogHook printDialog;
};

Hooks& TheHooks() {
    static Hooks hooks;
    return hooks;
}

template <class Hook>
Hook Current(Hook Hooks::*member) {
    Hooks& hooks = TheHooks();
    std::lock_guard lock(hooks.mutex);
    return hooks.*member;
}

template <class Hook>
void Install(Hook Hooks::*member, Hook hook) {
    Hooks& hooks = TheHooks();
    std::lock_guard lock(hooks.mutex);
    hooks.*member = std::move(hook);
}

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QMessageBox::Icon IconFor(unsigned type) {
    switch (type & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int ShowQtMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(IconFor(request.type), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, request.parent);
    switch (request.type & 0x0F) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return (request.type & 0x0F) == MB_OK ? IDOK : IDCANCEL;
    }
}

} // namespace

int MessageBox(QWidget* parent, const std::string& text, const std::string& caption, unsigned type) {
    const MessageBoxRequest request{parent, text, caption, type};
    int answer = 0;
    const auto ask = [&] {
        if (const MessageBoxHook hook = Current(&Hooks::messageBox))
            answer = hook(request);
        else if (HaveWidgets())
            answer = ShowQtMessageBox(request);
    };
    // Boxes asked for on other threads (the player's) show on the user-interface thread.
    if (QCoreApplication::instance())
        RunOnUiThread(ask);
    else
        ask();
    return answer;
}

void SetMessageBoxHook(MessageBoxHook hook) { Install(&Hooks::messageBox, std::move(hook)); }

std::optional<std::string> BrowseForFolder(const FolderBrowseRequest& request) {
    if (const FolderBrowserHook hook = Current(&Hooks::folderBrowser)) return hook(request);
    if (!HaveWidgets()) return std::nullopt;
    std::error_code error;
    const bool startExists = !request.startFolder.empty() &&
                             std::filesystem::is_directory(request.startFolder, error);
    const std::string& start = startExists ? request.startFolder : request.currentDir;
    const QString chosen = QFileDialog::getExistingDirectory(
        request.parent, QString::fromStdString(request.title), QString::fromStdString(start));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

void SetFolderBrowserHook(FolderBrowserHook hook) { Install(&Hooks::folderBrowser, std::move(hook)); }

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
    if (const PrintDialogHook hook = Current(&Hooks::printDialog)) return hook(printer, parent);
    if (!HaveWidgets()) return false;
    QPrintDialog dialog(&printer, parent);
    // One picture on one page: no page range, no selection; copies go to the printer.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void SetPrintDialogHook(PrintDialogHook hook) { Install(&Hooks::printDialog, std::move(hook)); }

} // namespace platform
