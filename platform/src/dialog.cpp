#include "platform/dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QMetaProperty>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "command_notify.h"
#include "platform/bitmap_button.h"
#include "platform/control_class.h"
#include "platform/controls.h"
#include "platform/drop_down_list.h"
#include "platform/fonts.h"

namespace platform {

namespace {

Qt::WindowFlags FlagsFor(std::uint32_t style) {
    if (style & kDialogChild) return Qt::Widget;
    if (style & kDialogPopup) return Qt::Window | Qt::FramelessWindowHint;
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

QString Utf8(const char* text) { return QString::fromUtf8(text ? text : ""); }

// A control of another kind that puts in its place a widget with a writable "text" property
// keeps its window text there; a read-only one (a progress bar's percentage) is no window text.
bool HasTextProperty(const QWidget* w) {
    if (!w) return false;
    const int index = w->metaObject()->indexOfProperty("text");
    return index >= 0 && w->metaObject()->property(index).isWritable();
}

void ConnectClicked(QAbstractButton* button, int id) {
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [button, id] { detail::NotifyParentCommand(button, id, BN_CLICKED); });
}

} // namespace

Dialog::Dialog(const DialogTemplate& tmpl, QWidget* parent)
    : Window(parent, FlagsFor(tmpl.style)), template_(tmpl) {
    setWindowTitle(Utf8(tmpl.title));
    if (tmpl.fontFace) setFont(WinFont(tmpl.fontFace, tmpl.fontPoints));
    if (tmpl.style & kDialogCaption)
        setFixedSize(tmpl.width, tmpl.height);
    else
        resize(tmpl.width, tmpl.height);
    if (tmpl.style & kDialogAcceptFiles) setAcceptDrops(true);
}

Dialog::~Dialog() {
    if (modalLoop_) modalLoop_->exit();
}

bool Dialog::Create() {
    if (created_) return true;
    if (OnCreate() == -1) return false;
    created_ = true;
    buildControls();
    OnInitDialog();
    return true;
}

int Dialog::DoModal() {
    if (modalLoop_) return -1;
    ended_ = false;
    if (!Create()) return -1;
    if (ended_) {
        // Ended while it was being initialised: it never shows.
        hide();
        return modalResult_;
    }
    if (isVisible()) hide();  // modality can only change while hidden
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    modalLoop_ = &loop;
    const QPointer<Dialog> alive(this);
    if (!ended_) loop.exec(QEventLoop::DialogExec);
    if (!alive) return -1;  // destroyed while it ran
    modalLoop_ = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void Dialog::EndDialog(int result) {
    modalResult_ = result;
    ended_ = true;
    if (modalLoop_)
        modalLoop_->exit();
    else
        hide();
}

QWidget* Dialog::GetDlgItem(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

BitmapButton* Dialog::bitmapButton(int id) const { return item<BitmapButton>(id); }

bool Dialog::IsDlgButtonChecked(int id) const {
    const auto* button = item<QAbstractButton>(id);
    return button && button->isChecked();
}

void Dialog::CheckDlgButton(int id, bool checked) {
    auto* button = item<QAbstractButton>(id);
    if (!button) return;
    QButtonGroup* group = button->group();
    // An exclusive group refuses to uncheck its checked button; Windows allows "none checked".
    const bool exclusive = group && group->exclusive();
    if (exclusive && !checked) group->setExclusive(false);
    button->setChecked(checked);
    if (exclusive && !checked) group->setExclusive(true);
}

std::string Dialog::GetDlgItemText(int id) const {
    QWidget* w = GetDlgItem(id);
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(w))
        text = label->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        text = edit->text();
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        text = group->title();
    else if (auto* list = qobject_cast<DropDownList*>(w))
        text = list->currentText();
    else if (HasTextProperty(w))
        text = w->property("text").toString();
    else if (w)
        text = w->windowTitle();
    return text.toStdString();
}

void Dialog::SetDlgItemText(int id, const std::string& text) {
    QWidget* w = GetDlgItem(id);
    const QString value = QString::fromStdString(text);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(value);
    else if (HasTextProperty(w))
        w->setProperty("text", value);
    else if (w)
        w->setWindowTitle(value);
}

void Dialog::ShowDlgItem(int id, bool shown) {
    if (QWidget* w = GetDlgItem(id)) w->setVisible(shown);
}

void Dialog::EnableDlgItem(int id, bool enabled) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(enabled);
}

std::string Dialog::GetDlgItemClassName(int id) const {
    const auto it = templateControls_.find(id);
    return it == templateControls_.end() ? std::string() : WindowClassName(it->second->kind);
}

std::uint32_t Dialog::GetDlgItemStyle(int id) const {
    const auto it = templateControls_.find(id);
    if (it == templateControls_.end()) return 0;
    std::uint32_t style = WindowStyle(*it->second) & ~(WS_VISIBLE | WS_DISABLED);
    const QWidget* control = GetDlgItem(id);
    if (!control->isHidden()) style |= WS_VISIBLE;
    if (!control->isEnabled()) style |= WS_DISABLED;
    return style;
}

void Dialog::ReplaceDlgItem(int id, QWidget* control) {
    const auto it = controls_.find(id);
    if (it != controls_.end() && it->second != control) {
        it->second->hide();
        delete it->second;
    }
    controls_[id] = control;
    templateControls_.erase(id);
}

LRESULT Dialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COMMAND) return Window::WindowProc(msg, wParam, lParam);
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && id == IDOK)
        OnOK();
    else if (code == BN_CLICKED && id == IDCANCEL)
        OnCancel();
    else
        OnCommand(id, code);
    return 0;
}

bool Dialog::PreTranslateMessage(UINT msg, WPARAM wParam, LPARAM) {
    // Pages (child dialogs) leave Enter and Escape to the dialog around them.
    if (msg != WM_KEYDOWN || (template_.style & kDialogChild)) return false;
    if (wParam == VK_RETURN) {
        WindowProc(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    }
    if (wParam == VK_ESCAPE) {
        WindowProc(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    return false;
}

void Dialog::OnSystemClose() {
    // A dialog's close box is its cancel, unless it swallows F4 and with it every close request.
    if (!(swallowedKeys() & kSwallowF4)) OnCancel();
}

void Dialog::buildControls() {
    QButtonGroup* radioGroup = nullptr;
    for (const ControlTemplate& c : template_.controls) {
        QWidget* control = makeControl(c, radioGroup);
        if (c.id == -1) continue;
        controls_.emplace(c.id, control);
        templateControls_.emplace(c.id, &c);
    }
}

QWidget* Dialog::makeControl(const ControlTemplate& c, QButtonGroup*& radioGroup) {
    // A control marked as a group start ends the radio group before it, whatever its kind.
    if (c.style & kStyleGroup) radioGroup = nullptr;
    const QString caption = Utf8(c.caption);
    QWidget* control = nullptr;
    switch (c.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption, this);
        button->setDefault(c.style & kStyleDefault);
        ConnectClicked(button, c.id);
        control = button;
        break;
    }
    case ControlKind::BitmapButton:
        control = new BitmapButton(c.id, this);
        break;
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(caption, this);
        if (!radioGroup) radioGroup = new QButtonGroup(this);
        radio->setAutoExclusive(false);
        radioGroup->addButton(radio);
        ConnectClicked(radio, c.id);
        control = radio;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, this);
        ConnectClicked(box, c.id);
        control = box;
        break;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, this);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control = label;
        break;
    }
    case ControlKind::Picture: {
        auto* picture = new QLabel(this);
        const QImage image = template_.loadBitmap ? template_.loadBitmap(c.bitmap) : QImage();
        if (!image.isNull()) picture->setPixmap(QPixmap::fromImage(image));
        control = picture;
        break;
    }
    case ControlKind::GroupBox:
        control = new QGroupBox(caption, this);
        break;
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(caption, this);
        if (c.style & kStylePassword) edit->setEchoMode(QLineEdit::Password);
        edit->setReadOnly(c.style & kStyleReadOnly);
        const int id = c.id;
        QObject::connect(edit, &QLineEdit::textChanged, edit,
                         [edit, id] { detail::NotifyParentCommand(edit, id, EN_CHANGE); });
        control = edit;
        break;
    }
    case ControlKind::TabControl:
        control = new TabControl(c.id, this);
        break;
    case ControlKind::CheckList:
        control = new CheckListBox(c.id, c.style & kStyleNotify, this);
        break;
    case ControlKind::DropDownList:
        control = new DropDownList(c.id, this);
        break;
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        control = bar;
        break;
    }
    }
    control->setGeometry(c.x, c.y, c.width, c.height);
    if (c.kind == ControlKind::Picture) {
        // A picture control takes the size of its bitmap.
        const auto* picture = static_cast<QLabel*>(control);
        const QPixmap pixmap = picture->pixmap();
        if (!pixmap.isNull()) control->resize(pixmap.size());
    }
    control->setVisible(!(c.style & kStyleHidden));
    control->setEnabled(!(c.style & kStyleDisabled));
    return control;
}

} // namespace platform
