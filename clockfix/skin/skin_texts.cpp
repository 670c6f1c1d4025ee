#include "skin/skin_texts.h"

#include <QPainter>

namespace skin {

SkinStatic::SkinStatic(int id, std::string name, platform::HWND owner, QWidget* parent)
    : QWidget(parent), SkinControl(SkinKind::Static, id, std::move(name), owner) {}

void SkinStatic::setText(const QString& text) {
    text_ = text;
    update();
}

void SkinStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(textColour());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text_);
}

SkinGroup::SkinGroup(int id, std::string name, platform::HWND owner, QWidget* parent)
    : QWidget(parent), SkinControl(SkinKind::Group, id, std::move(name), owner) {
    // A frame round other controls must not take their clicks.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SkinGroup::setText(const QString& text) {
    text_ = text;
    update();
}

void SkinGroup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int top = text_.isEmpty() ? 0 : fontMetrics().height() / 2;
    painter.setPen(frameColour());
    painter.drawRoundedRect(QRectF(rect().adjusted(0, top, -1, -1)), 4, 4);
    if (text_.isEmpty()) return;
    const QRect caption(8, 0, fontMetrics().horizontalAdvance(text_) + 6, fontMetrics().height());
    painter.fillRect(caption, faceColour());
    painter.setPen(textColour());
    painter.drawText(caption, Qt::AlignCenter, text_);
}

SkinPicture::SkinPicture(int id, std::string name, platform::HWND owner, QWidget* parent)
    : QWidget(parent), SkinControl(SkinKind::Picture, id, std::move(name), owner) {}

void SkinPicture::SetPicture(const QImage& image, QRgb transparent) {
    picture_ = image.isNull() ? QImage() : WithTransparentColour(image, transparent);
    update();
}

void SkinPicture::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

SkinEdit::SkinEdit(int id, std::string name, platform::HWND owner, QWidget* parent)
    : QLineEdit(parent), SkinControl(SkinKind::Edit, id, std::move(name), owner) {
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    setTextMargins(4, 0, 4, 0);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
    connect(this, &QLineEdit::textEdited, this, [this] { NotifyOwner(platform::EN_CHANGE); });
}

void SkinEdit::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), isEnabled() ? faceColour() : faceColour().darker(110));
        painter.setPen(frameColour());
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // The line edit draws its text and cursor over the face; its own base is made transparent.
    QLineEdit::paintEvent(event);
}

} // namespace skin
