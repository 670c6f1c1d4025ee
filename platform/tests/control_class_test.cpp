// Template controls seen as Windows classes and styles, and controls replaced under their id.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPointer>
#include <QProgressBar>
#include <QRadioButton>

#include "platform/control_class.h"
#include "platform/dialog.h"

namespace platform {
namespace {

constexpr ControlTemplate kControls[] = {
    {10, ControlKind::PushButton, "push", 0, 0, 50, 20},
    {11, ControlKind::PushButton, "default", 0, 0, 50, 20, kStyleDefault},
    {12, ControlKind::CheckBox, "check", 0, 0, 50, 20, kStyleDisabled},
    {13, ControlKind::RadioButton, "radio", 0, 0, 50, 20, kStyleGroup},
    {14, ControlKind::GroupBox, "group", 0, 0, 50, 20},
    {15, ControlKind::BitmapButton, "", 0, 0, 50, 20, kStyleHidden},
    {16, ControlKind::Label, "label", 0, 0, 50, 20},
    {17, ControlKind::Picture, "", 0, 0, 50, 20},
    {18, ControlKind::Edit, "", 0, 0, 50, 20, kStylePassword | kStyleReadOnly},
    {19, ControlKind::TabControl, "", 0, 0, 50, 20},
    {20, ControlKind::CheckList, "", 0, 0, 50, 20, kStyleNotify},
    {21, ControlKind::ProgressBar, "", 10, 40, 200, 16},
    {22, ControlKind::DropDownList, "", 10, 60, 200, 24},
};
constexpr DialogTemplate kTemplate = {9001, 300, 100, "classes", nullptr, 9, kDialogPopup, kControls};

TEST(ControlClass, EachKindHasItsWindowsClassAndStyle) {
    struct Row {
        int id;
        const char* className;
        std::uint32_t style;
    };
    const Row rows[] = {
        {10, "Button", 0x50000000},
        {11, "Button", 0x50000001},
        {12, "Button", 0x58000003},
        {13, "Button", 0x50020009},
        {14, "Button", 0x50000007},
        {15, "Button", 0x4000000B},
        {16, "Static", 0x50000000},
        {17, "Static", 0x50000007},
        {18, "Edit", 0x50000820},
        {19, "SysTabControl32", 0x50000000},
        {20, "ListBox", 0x50000001},
        {21, "msctls_progress32", 0x50000000},
        {22, "ComboBox", 0x50000003},
    };
    Dialog dialog(kTemplate);
    ASSERT_TRUE(dialog.Create());
    for (const Row& row : rows) {
        EXPECT_EQ(dialog.GetDlgItemClassName(row.id), row.className) << row.id;
        EXPECT_EQ(dialog.GetDlgItemStyle(row.id), row.style) << row.id;
    }
    EXPECT_EQ(dialog.GetDlgItemClassName(99), "");
    EXPECT_EQ(dialog.GetDlgItemStyle(99), 0u);

    // The style follows what code did to the control since.
    dialog.ShowDlgItem(15, true);
    dialog.EnableDlgItem(12, true);
    dialog.ShowDlgItem(10, false);
    EXPECT_EQ(dialog.GetDlgItemStyle(15), 0x5000000Bu);
    EXPECT_EQ(dialog.GetDlgItemStyle(12), 0x50000003u);
    EXPECT_EQ(dialog.GetDlgItemStyle(10), 0x40000000u);
}

TEST(ControlClass, AProgressBarStartsEmptyAtItsPlace) {
    Dialog dialog(kTemplate);
    ASSERT_TRUE(dialog.Create());
    const auto* bar = dialog.item<QProgressBar>(21);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(10, 40, 200, 16));
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(dialog.GetDlgItemText(21), "") << "its percentage is no window text";
}

// A replacement with a text property and no Qt text widget behind it.
class TextPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    using QWidget::QWidget;
    QString text() const { return text_; }
    void setText(const QString& text) { text_ = text; }

private:
    QString text_;
};

TEST(ControlClass, AReplacedControlIsReachedUnderItsId) {
    Dialog dialog(kTemplate);
    ASSERT_TRUE(dialog.Create());
    const QPointer<QWidget> old = dialog.GetDlgItem(13);

    auto* radio = new QRadioButton(QStringLiteral("new"), &dialog);
    dialog.ReplaceDlgItem(13, radio);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(dialog.GetDlgItem(13), radio);
    EXPECT_EQ(dialog.GetDlgItemClassName(13), "") << "no template control any more";
    EXPECT_EQ(dialog.GetDlgItemStyle(13), 0u);
    EXPECT_EQ(dialog.GetDlgItemText(13), "new");
    dialog.CheckDlgButton(13, true);
    EXPECT_TRUE(radio->isChecked());
    EXPECT_TRUE(dialog.IsDlgButtonChecked(13));
    dialog.EnableDlgItem(13, false);
    EXPECT_FALSE(radio->isEnabled());

    auto* panel = new TextPanel(&dialog);
    dialog.ReplaceDlgItem(16, panel);
    dialog.SetDlgItemText(16, "2011년");
    EXPECT_EQ(panel->text(), QString::fromUtf8("2011년"));
    EXPECT_EQ(dialog.GetDlgItemText(16), "2011년");
    EXPECT_FALSE(dialog.IsDlgButtonChecked(16));
}

} // namespace
} // namespace platform

#include "control_class_test.moc"
