#include "skin/skin_lists.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace skin {
namespace {

constexpr int kArrowWidth = 20;

void DrawArrow(QPainter& painter, const QRect& area, QColor colour) {
    const QPoint centre = area.center();
    const QPolygon arrow({centre + QPoint(-4, -2), centre + QPoint(4, -2), centre + QPoint(0, 3)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(arrow);
}

} // namespace

SkinComboBox::SkinComboBox(int id, std::string name, platform::HWND owner, std::uint32_t style, QWidget* parent)
    : QWidget(parent), SkinControl(SkinKind::Combo, id, std::move(name), owner), style_(style) {
    setFocusPolicy(Qt::TabFocus);
}

int SkinComboBox::AddString(const std::string& text) {
    entries_.append(QString::fromStdString(text));
    return GetCount() - 1;
}

void SkinComboBox::ResetContent() {
    entries_.clear();
    selected_ = CB_ERR;
    shown_.clear();
    update();
}

std::string SkinComboBox::GetLBText(int index) const {
    if (index < 0 || index >= GetCount()) return {};
    return entries_[index].toStdString();
}

int SkinComboBox::SetCurSel(int index) {
    if (index < 0 || index >= GetCount()) return CB_ERR;
    selected_ = index;
    shown_ = entries_[index];
    update();
    NotifyOwner(platform::CBN_SELCHANGE);
    return index;
}

void SkinComboBox::ClearSelection() {
    selected_ = CB_ERR;
    shown_.clear();
    update();
}

void SkinComboBox::SetShownText(const QString& text) {
    shown_ = text;
    update();
}

void SkinComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), isEnabled() ? faceColour() : faceColour().darker(110));
    painter.setPen(frameColour());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect arrowArea(width() - kArrowWidth, 0, kArrowWidth, height());
    painter.fillRect(arrowArea.adjusted(0, 1, -1, -1), frameColour().lighter(150));
    DrawArrow(painter, arrowArea, isEnabled() ? textColour() : frameColour());
    painter.setPen(isEnabled() ? textColour() : frameColour());
    painter.drawText(rect().adjusted(6, 0, -kArrowWidth - 2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     shown_);
}

void SkinComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !entries_.isEmpty()) OpenList();
}

void SkinComboBox::keyPressEvent(QKeyEvent* event) {
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down)) {
        if (!entries_.isEmpty()) OpenList();
    } else if (event->key() == Qt::Key_Down) {
        SetCurSel(selected_ + 1);
    } else if (event->key() == Qt::Key_Up) {
        if (selected_ > 0) SetCurSel(selected_ - 1);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SkinComboBox::OpenList() {
    if (openList_) return;
    openList_ = new QMenu(this);
    openList_->setMinimumWidth(width());
    for (int i = 0; i < GetCount(); ++i) {
        QAction* action = openList_->addAction(entries_[i]);
        action->setCheckable(true);
        action->setChecked(i == selected_);
        connect(action, &QAction::triggered, this, [this, i] { SetCurSel(i); });
    }
    connect(openList_, &QMenu::aboutToHide, this, [this] {
        openList_->deleteLater();
        openList_ = nullptr;
    });
    openList_->popup(mapToGlobal(QPoint(0, height())));
}

SkinListBox::SkinListBox(int id, std::string name, platform::HWND owner, bool notify, QWidget* parent)
    : QWidget(parent), SkinControl(SkinKind::ListBox, id, std::move(name), owner), notify_(notify) {}

int SkinListBox::AddString(const std::string& text) {
    lines_.append(QString::fromStdString(text));
    update();
    return GetCount() - 1;
}

void SkinListBox::ResetContent() {
    lines_.clear();
    selected_ = -1;
    update();
}

std::string SkinListBox::GetText(int index) const {
    if (index < 0 || index >= GetCount()) return {};
    return lines_[index].toStdString();
}

int SkinListBox::SetCurSel(int index) {
    if (index < -1 || index >= GetCount()) return CB_ERR;
    selected_ = index;
    update();
    return index;
}

int SkinListBox::lineHeight() const { return fontMetrics().height() + 4; }

void SkinListBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), faceColour());
    for (int i = 0; i < GetCount(); ++i) {
        const QRect line(1, 1 + i * lineHeight(), width() - 2, lineHeight());
        if (line.top() >= height()) break;
        if (i == selected_) painter.fillRect(line, frameColour().lighter(140));
        painter.setPen(textColour());
        painter.drawText(line.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, lines_[i]);
    }
    painter.setPen(frameColour());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SkinListBox::mousePressEvent(QMouseEvent* event) {
    const int line = (event->position().toPoint().y() - 1) / lineHeight();
    if (event->button() != Qt::LeftButton || line < 0 || line >= GetCount() || line == selected_) return;
    SetCurSel(line);
    if (notify_) NotifyOwner(platform::LBN_SELCHANGE);
}

} // namespace skin
