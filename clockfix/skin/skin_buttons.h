#pragma once
// Skinned buttons. Push buttons draw their state image (or a flat face) with the caption over
// it; check boxes and radio buttons draw a box or a dot before the caption. Each click reports
// WM_COMMAND (id, BN_CLICKED) to the owner; a radio button's click also unchecks the other
// buttons of its group, which its dialog decides.

#include <QAbstractButton>
#include <functional>

#include "skin/skin_control.h"

namespace skin {

class SkinButtonBase : public QAbstractButton, public SkinControl {
    Q_OBJECT
public:
    SkinButtonBase(SkinKind kind, int id, std::string name, platform::HWND owner, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    ControlState state() const;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
};

class SkinButton : public SkinButtonBase {
    Q_OBJECT
public:
    SkinButton(int id, std::string name, platform::HWND owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class SkinCheck : public SkinButtonBase {
    Q_OBJECT
public:
    SkinCheck(int id, std::string name, platform::HWND owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class SkinRadio : public SkinButtonBase {
    Q_OBJECT
public:
    // The template's style stays with it; WS_GROUP marks the first button of a group.
    SkinRadio(int id, std::string name, platform::HWND owner, std::uint32_t style, QWidget* parent);
    std::uint32_t windowStyle() const { return style_; }
    // Called with this button when the user checks it, before the owner hears of the click.
    void SetGroupHandler(std::function<void(SkinRadio*)> handler) { groupHandler_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    std::uint32_t style_;
    std::function<void(SkinRadio*)> groupHandler_;
};

} // namespace skin
