#pragma once
// Dialog windows built from a numbered template: each control keeps its numeric id, control
// notifications reach WindowProc as WM_COMMAND (id in the low word, notification code in the
// high word), Enter and Escape reach OnOK and OnCancel unless the dialog swallows them.
// Modeless dialogs are made with Create, modal ones with DoModal (a nested event loop).

#include <QWidget>
#include <map>
#include <string>

#include "platform/dialog_template.h"
#include "platform/window.h"

class QButtonGroup;
class QEventLoop;

namespace platform {

class BitmapButton;

class Dialog : public Window {
    Q_OBJECT
public:
    explicit Dialog(const DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~Dialog() override;

    const DialogTemplate& dialogTemplate() const { return template_; }

    // Builds the window and its controls, then OnCreate and OnInitDialog. The window stays
    // hidden. Returns false when OnCreate returned -1 (nothing else is built then).
    bool Create();

    // Create (when not yet done), show, and run until EndDialog; returns EndDialog's result.
    int DoModal();
    void EndDialog(int result);
    bool InModalLoop() const { return modalLoop_ != nullptr; }

    QWidget* GetDlgItem(int id) const;
    template <class T>
    T* item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    BitmapButton* bitmapButton(int id) const;

    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    void ShowDlgItem(int id, bool shown);
    void EnableDlgItem(int id, bool enabled);

    // The Windows class name and style of a template control (control_class.h), its style bits
    // following the control's current visibility and enabled state; "" and 0 for an id that has
    // no template control (unknown, or already replaced).
    std::string GetDlgItemClassName(int id) const;
    std::uint32_t GetDlgItemStyle(int id) const;
    // Destroys the control with this id and puts `control` (a child of this dialog) in its place:
    // GetDlgItem and the item functions above reach the new one from then on.
    void ReplaceDlgItem(int id, QWidget* control);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    // Runs while the window is created, before its controls; -1 aborts the creation.
    virtual int OnCreate() { return 0; }
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A WM_COMMAND from a control other than IDOK / IDCANCEL; true when handled.
    virtual bool OnCommand(int id, UINT code) { (void)id; (void)code; return false; }

    bool PreTranslateMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnSystemClose() override;

private:
    void buildControls();
    QWidget* makeControl(const ControlTemplate& c, QButtonGroup*& radioGroup);

    const DialogTemplate& template_;
    std::map<int, QWidget*> controls_;
    std::map<int, const ControlTemplate*> templateControls_;   // not yet replaced
    bool created_ = false;
    int modalResult_ = 0;
    bool ended_ = false;   // EndDialog was called since DoModal started
    QEventLoop* modalLoop_ = nullptr;
};

} // namespace platform
