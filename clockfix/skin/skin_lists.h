#pragma once
// Skinned lists. The drop-down list shows the selected entry's text (or a text set by code) and
// opens its entries below itself on a click. Every selection, by the user or by code, shows the
// entry's text and reports WM_COMMAND (id, CBN_SELCHANGE) to the owner before it returns, as a
// system drop-down list reports a user's selection. The list box draws its lines and reports
// LBN_SELCHANGE for a user's choice when its style asks for it.

#include <QStringList>
#include <QWidget>

#include "skin/skin_control.h"

class QMenu;

namespace skin {

inline constexpr int CB_ERR = -1;

class SkinComboBox : public QWidget, public SkinControl {
    Q_OBJECT
    Q_PROPERTY(QString text READ shownText WRITE SetShownText)
public:
    // The template's style stays with it (CBS_DROPDOWNLIST and the window bits).
    SkinComboBox(int id, std::string name, platform::HWND owner, std::uint32_t style, QWidget* parent);
    QWidget* widget() override { return this; }
    std::uint32_t windowStyle() const { return style_; }

    int AddString(const std::string& text);   // appended; returns its position
    void ResetContent();                      // no entries, no selection, no shown text
    int GetCount() const { return static_cast<int>(entries_.size()); }
    std::string GetLBText(int index) const;
    // Selects and reports; a position outside the list is refused with CB_ERR, nothing changes.
    int SetCurSel(int index);
    int GetCurSel() const { return selected_; }
    // No entry selected and no text shown, without a report.
    void ClearSelection();
    QString shownText() const { return shown_; }
    void SetShownText(const QString& text);

    // The entries as the user sees them when the list is opened; null when closed.
    QMenu* openList() const { return openList_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Up and Down choose the entry before or after the selected one, as a user's selection;
    // F4 and Alt+Down open the list.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OpenList();

    std::uint32_t style_;
    QStringList entries_;
    int selected_ = CB_ERR;
    QString shown_;
    QMenu* openList_ = nullptr;
};

class SkinListBox : public QWidget, public SkinControl {
    Q_OBJECT
public:
    SkinListBox(int id, std::string name, platform::HWND owner, bool notify, QWidget* parent);
    QWidget* widget() override { return this; }

    int AddString(const std::string& text);
    void ResetContent();
    int GetCount() const { return static_cast<int>(lines_.size()); }
    std::string GetText(int index) const;
    int GetCurSel() const { return selected_; }
    int SetCurSel(int index);   // no report, as on Windows

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int lineHeight() const;

    QStringList lines_;
    int selected_ = -1;
    bool notify_;
};

} // namespace skin
