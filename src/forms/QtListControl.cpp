#include "forms/QtListControl.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "common/PlatformErrors.h"
#include "forms/AnsiQt.h"

namespace {
constexpr int kItemDataRole = Qt::UserRole;
}  // namespace

QtListControl::QtListControl(QListWidget* list, std::function<void()> onClick, ClickSource source)
    : list_(list), onClick_(std::move(onClick)) {
    if (source == ClickSource::CodeOnly) return;
    // A user's selection raises the click handler. A mouse press makes a row current before it
    // selects it; a single-selection list selects it first, so that the handler sees the
    // clicked row selected, as it will be once the press is handled.
    QObject::connect(list_, &QListWidget::currentRowChanged, list_, [this](int row) {
        if (row < 0 || !onClick_) return;
        if (list_->selectionMode() == QAbstractItemView::SingleSelection) {
            list_->selectionModel()->select(list_->model()->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect);
        }
        onClick_();
    });
}

void QtListControl::Check(int index) const {
    if (index < 0 || index >= list_->count()) {
        PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    }
}

int QtListControl::ListCount() const {
    return list_->count();
}

std::string QtListControl::List(int index) const {
    const QListWidgetItem* item = list_->item(index);
    return item == nullptr ? std::string() : FromQString(item->text());
}

void QtListControl::SetList(int index, const std::string& text) {
    Check(index);
    list_->item(index)->setText(ToQString(text));
}

int QtListControl::AddItem(const std::string& text, int index) {
    if (index < -1 || index > list_->count()) {
        PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    }
    if (index == -1) index = list_->count();
    const QSignalBlocker blocker(list_);
    auto* item = new QListWidgetItem(ToQString(text));
    item->setData(kItemDataRole, 0);
    list_->insertItem(index, item);
    return index;
}

void QtListControl::RemoveItem(int index) {
    Check(index);
    const QSignalBlocker blocker(list_);
    delete list_->takeItem(index);
    list_->setCurrentRow(-1);
}

void QtListControl::Clear() {
    const QSignalBlocker blocker(list_);
    list_->clear();
}

int QtListControl::ListIndex() const {
    const QListWidgetItem* current = list_->currentItem();
    return current == nullptr ? -1 : list_->row(current);
}

void QtListControl::SetListIndex(int index) {
    if (index < -1 || index >= list_->count()) {
        PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    }
    {
        const QSignalBlocker blocker(list_);
        list_->setCurrentRow(index);
    }
    if (onClick_) onClick_();
}

bool QtListControl::Selected(int index) const {
    Check(index);
    return list_->item(index)->isSelected();
}

void QtListControl::SetSelected(int index, bool selected) {
    Check(index);
    list_->item(index)->setSelected(selected);
}

int32_t QtListControl::ItemData(int index) const {
    Check(index);
    return list_->item(index)->data(kItemDataRole).toInt();
}

void QtListControl::SetItemData(int index, int32_t data) {
    Check(index);
    list_->item(index)->setData(kItemDataRole, data);
}

std::string QtListControl::Text() const {
    return List(ListIndex());
}

void QtListControl::SetText(const std::string& text) {
    const int index = FindStringExact(text);
    if (index >= 0) SetListIndex(index);
}

int QtListControl::FindStringExact(const std::string& text, int startAfter) const {
    return FindStringExactIn(list_->count(), startAfter, text, [this](int i) { return List(i); });
}

QtComboControl::QtComboControl(QComboBox* combo) : combo_(combo) {}

void QtComboControl::Check(int index) const {
    if (index < 0 || index >= combo_->count()) {
        PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    }
}

int QtComboControl::ListCount() const {
    return combo_->count();
}

std::string QtComboControl::List(int index) const {
    if (index < 0 || index >= combo_->count()) return {};
    return FromQString(combo_->itemText(index));
}

void QtComboControl::SetList(int index, const std::string& text) {
    Check(index);
    combo_->setItemText(index, ToQString(text));
}

int QtComboControl::AddItem(const std::string& text, int index) {
    if (index < -1 || index > combo_->count()) {
        PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    }
    if (index == -1) index = combo_->count();
    // Adding items keeps the text the user sees.
    const QString shown = combo_->currentText();
    combo_->insertItem(index, ToQString(text), 0);
    combo_->setEditText(shown);
    return index;
}

void QtComboControl::RemoveItem(int index) {
    Check(index);
    combo_->removeItem(index);
}

void QtComboControl::Clear() {
    combo_->clear();
}

int QtComboControl::ListIndex() const {
    return combo_->currentIndex();
}

void QtComboControl::SetListIndex(int index) {
    if (index < -1 || index >= combo_->count()) {
        PlatformError::Raise(PlatformError::kInvalidArrayIndex);
    }
    combo_->setCurrentIndex(index);
}

bool QtComboControl::Selected(int index) const {
    Check(index);
    return combo_->currentIndex() == index;
}

void QtComboControl::SetSelected(int index, bool selected) {
    Check(index);
    if (selected) combo_->setCurrentIndex(index);
}

int32_t QtComboControl::ItemData(int index) const {
    Check(index);
    return combo_->itemData(index).toInt();
}

void QtComboControl::SetItemData(int index, int32_t data) {
    Check(index);
    combo_->setItemData(index, data);
}

std::string QtComboControl::Text() const {
    return FromQString(combo_->currentText());
}

void QtComboControl::SetText(const std::string& text) {
    combo_->setEditText(ToQString(text));
}

int QtComboControl::FindStringExact(const std::string& text, int startAfter) const {
    return FindStringExactIn(combo_->count(), startAfter, text, [this](int i) { return List(i); });
}
