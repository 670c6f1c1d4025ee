#include "platform/drop_down_list.h"

#include <QWheelEvent>

#include "command_notify.h"

namespace platform {

DropDownList::DropDownList(int id, QWidget* parent) : QComboBox(parent), id_(id) {
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
    // activated is emitted for the user's choices only.
    connect(this, &QComboBox::activated, this,
            [this] { detail::NotifyParentCommand(this, id_, CBN_SELCHANGE); });
}

int DropDownList::AddString(const std::string& text) {
    const int selected = currentIndex();
    addItem(QString::fromStdString(text));
    // QComboBox selects the first entry added to an empty list; a Windows list stays unselected.
    if (selected == -1 && currentIndex() != -1) setCurrentIndex(-1);
    return count() - 1;
}

void DropDownList::ResetContent() { clear(); }

int DropDownList::GetCount() const { return count(); }

int DropDownList::GetCurSel() const { return currentIndex(); }

void DropDownList::SetCurSel(int position) {
    setCurrentIndex(position >= 0 && position < count() ? position : -1);
}

std::string DropDownList::GetLBText(int position) const {
    return position >= 0 && position < count() ? itemText(position).toStdString() : std::string();
}

std::string DropDownList::SelectedText() const { return GetLBText(currentIndex()); }

void DropDownList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace platform
