#include "platform/controls.h"

#include <QListWidget>
#include <QPalette>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "command_notify.h"

namespace platform {

namespace {

QVBoxLayout* BareLayout(QWidget* owner) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

TabControl::TabControl(int id, QWidget* parent) : QWidget(parent), id_(id), bar_(new QTabBar(this)) {
    bar_->setDrawBase(true);
    auto* layout = BareLayout(this);
    layout->addWidget(bar_);
    layout->addStretch();
    connect(bar_, &QTabBar::currentChanged, this,
            [this] { detail::NotifyParentCommand(this, id_, TCN_SELCHANGE); });
}

void TabControl::InsertItem(int index, const std::string& text) {
    const QSignalBlocker quiet(bar_);  // the first tab becomes current without a notification
    bar_->insertTab(index, QString::fromStdString(text));
    // A bar that is not shown yet does not report its new height itself, and the layout would
    // keep the height it had without tabs.
    bar_->updateGeometry();
}

int TabControl::GetItemCount() const { return bar_->count(); }

int TabControl::GetCurSel() const { return bar_->currentIndex(); }

void TabControl::SetCurSel(int index) {
    const QSignalBlocker quiet(bar_);
    bar_->setCurrentIndex(index);
}

QRect TabControl::pageArea() const {
    const int top = bar_->sizeHint().height();
    return QRect(0, top, width(), qMax(0, height() - top));
}

CheckListBox::CheckListBox(int id, bool notifySelection, QWidget* parent)
    : QWidget(parent), id_(id), list_(new QListWidget(this)) {
    BareLayout(this)->addWidget(list_);
    // The style draws the tick boxes' outline from the Window colour; on the dark skin that outline
    // would vanish into the list, leaving unticked rows without a visible box.
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Window, QColor(150, 154, 160));
    list_->setPalette(palette);
    // Only the user's ticks reach here: code changes the items with signals blocked.
    connect(list_, &QListWidget::itemChanged, this,
            [this] { detail::NotifyParentCommand(this, id_, CLBN_CHKCHANGE); });
    if (notifySelection)
        connect(list_, &QListWidget::currentRowChanged, this,
                [this] { detail::NotifyParentCommand(this, id_, LBN_SELCHANGE); });
}

int CheckListBox::AddString(const std::string& text) {
    const QSignalBlocker quiet(list_);
    auto* line = new QListWidgetItem(QString::fromStdString(text), list_);
    line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
    line->setCheckState(Qt::Unchecked);
    return list_->count() - 1;
}

int CheckListBox::GetCount() const { return list_->count(); }

std::string CheckListBox::GetText(int index) const {
    const QListWidgetItem* line = list_->item(index);
    return line ? line->text().toStdString() : std::string();
}

int CheckListBox::GetCheck(int index) const {
    const QListWidgetItem* line = list_->item(index);
    return line && line->checkState() == Qt::Checked ? 1 : 0;
}

void CheckListBox::SetCheck(int index, int check) {
    QListWidgetItem* line = list_->item(index);
    if (!line) return;
    const QSignalBlocker quiet(list_);
    line->setCheckState(check ? Qt::Checked : Qt::Unchecked);
}

void CheckListBox::ResetContent() {
    const QSignalBlocker quiet(list_);
    list_->clear();
}

} // namespace platform
