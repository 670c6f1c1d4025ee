#include <cstdio>
#include <cstdlib>

#include "dialog_groups.h"
#include "resources/resources.h"

namespace resources {

const platform::DialogTemplate* FindDialog(int id) {
    for (auto group : {dialogs::ShellDialogs(), dialogs::SettingsDialogs(), dialogs::PopupDialogs(),
                       dialogs::CatalogueDialogs(), dialogs::UsbDialogs()}) {
        for (const platform::DialogTemplate& dialog : group)
            if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

const platform::DialogTemplate& Dialog(int id) {
    const platform::DialogTemplate* dialog = FindDialog(id);
    if (!dialog) {
        std::fprintf(stderr, "resources: no dialog template %d\n", id);
        std::abort();
    }
    return *dialog;
}

} // namespace resources
