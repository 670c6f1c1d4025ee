#pragma once
// Skinned controls without a click: static text and group frames drawn over the dialog's
// background, a picture with the transparent colour left out, and the text box.

#include <QLineEdit>
#include <QWidget>

#include "skin/skin_control.h"

namespace skin {

class SkinStatic : public QWidget, public SkinControl {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    SkinStatic(int id, std::string name, platform::HWND owner, QWidget* parent);
    QWidget* widget() override { return this; }
    QString text() const { return text_; }
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

class SkinGroup : public QWidget, public SkinControl {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    SkinGroup(int id, std::string name, platform::HWND owner, QWidget* parent);
    QWidget* widget() override { return this; }
    QString text() const { return text_; }
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

class SkinPicture : public QWidget, public SkinControl {
    Q_OBJECT
public:
    SkinPicture(int id, std::string name, platform::HWND owner, QWidget* parent);
    QWidget* widget() override { return this; }
    void SetPicture(const QImage& image, QRgb transparent = kDefaultTransparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

class SkinEdit : public QLineEdit, public SkinControl {
    Q_OBJECT
public:
    SkinEdit(int id, std::string name, platform::HWND owner, QWidget* parent);
    QWidget* widget() override { return this; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace skin
