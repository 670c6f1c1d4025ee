#pragma once
// The drop-down list control of dialog templates: a closed list that shows its selected entry
// and opens to choose another; the user cannot type. A choice of the user reaches the parent
// dialog as WM_COMMAND with CBN_SELCHANGE; changes made by code are silent, as on Windows.
// The wheel changes the selection only while the list has the focus (Windows sends the wheel to
// the focused window), so it scrolls a page that holds the list otherwise.

#include <QComboBox>
#include <string>

namespace platform {

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    DropDownList(int id, QWidget* parent);
    int controlId() const { return id_; }

    int AddString(const std::string& text);   // appended; returns its position
    void ResetContent();
    int GetCount() const;
    // The selected position, -1 when none.
    int GetCurSel() const;
    // Selects a position without notification; a position outside the list selects none.
    void SetCurSel(int position);
    // The text at a position; empty outside the list.
    std::string GetLBText(int position) const;
    // The selected entry's text; empty when none is selected.
    std::string SelectedText() const;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    int id_;
};

} // namespace platform
