#pragma once
// Controls of dialog templates that need more than a plain Qt widget: the tab control that hosts
// child pages, and the check list. Both report to their parent dialog through WM_COMMAND:
// TabControl with TCN_SELCHANGE, CheckListBox with CLBN_CHKCHANGE (and LBN_SELCHANGE when the
// template asks for selection notifications).

#include <QRect>
#include <QWidget>
#include <string>

class QTabBar;
class QListWidget;

namespace platform {

class TabControl : public QWidget {
    Q_OBJECT
public:
    TabControl(int id, QWidget* parent);
    int controlId() const { return id_; }
    void InsertItem(int index, const std::string& text);
    int GetItemCount() const;
    int GetCurSel() const;
    void SetCurSel(int index);   // no notification, as on Windows
    // The rectangle below the tabs, in this control's coordinates, where pages are placed.
    QRect pageArea() const;

private:
    int id_;
    QTabBar* bar_;
};

class CheckListBox : public QWidget {
    Q_OBJECT
public:
    CheckListBox(int id, bool notifySelection, QWidget* parent);
    int controlId() const { return id_; }
    int AddString(const std::string& text);   // appended unticked; returns its index
    int GetCount() const;
    std::string GetText(int index) const;
    int GetCheck(int index) const;            // 0 or 1; 0 for an index out of range
    void SetCheck(int index, int check);      // no notification, as on Windows
    void ResetContent();
    QListWidget* list() const { return list_; }

private:
    int id_;
    QListWidget* list_;
};

} // namespace platform
