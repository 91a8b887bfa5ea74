#include "services/TableCursor.h"

#include "services/ContentStore.h"

namespace services {

TableCursor::TableCursor(ContentStore *store, QString table, QStringList columns, std::vector<qint64> rowIds,
                         std::vector<QStringList> records)
    : store_(store), table_(std::move(table)), columns_(std::move(columns)), rowIds_(std::move(rowIds)),
      records_(std::move(records)) {}

void TableCursor::replaceSnapshot(std::vector<qint64> rowIds, std::vector<QStringList> records) {
    rowIds_ = std::move(rowIds);
    records_ = std::move(records);
    pos_ = std::min(pos_, RecordCount());
    deleted_ = false;
    editing_ = false;
}

bool TableCursor::holdsText() const {
    for (const QStringList &record : records_)
        for (const QString &f : record)
            if (!f.trimmed().isEmpty()) return true;
    return false;
}

void TableCursor::MoveFirst() {
    editing_ = false; // moving away drops an edit that was not stored
    pos_ = 0;
    deleted_ = false;
}

void TableCursor::MoveLast() {
    editing_ = false;         // moving away drops an edit that was not stored
    pos_ = RecordCount() - 1; // an empty table has no last record: before the start and past the end
    deleted_ = false;
}

void TableCursor::MoveNext() {
    editing_ = false; // moving away drops an edit that was not stored
    if (deleted_) {
        // The record after a deleted one already sits at its place.
        deleted_ = false;
        return;
    }
    if (pos_ < RecordCount()) ++pos_;
}

void TableCursor::MovePrevious() {
    editing_ = false; // moving away drops an edit that was not stored
    deleted_ = false;
    if (pos_ >= 0) --pos_;
}

void TableCursor::Move(int n) {
    editing_ = false; // moving away drops an edit that was not stored
    long target = static_cast<long>(pos_) + n;
    if (deleted_) {
        // Counted from the deleted record's place: forwards, its successor already sits there.
        deleted_ = false;
        if (n > 0) --target;
    }
    if (target < 0)
        pos_ = -1;
    else if (target >= RecordCount())
        pos_ = RecordCount();
    else
        pos_ = static_cast<int>(target);
}

std::optional<QString> TableCursor::Fields(int i) const {
    if (!hasCurrent() || i < 0) return std::nullopt;
    const QStringList &r = records_[static_cast<std::size_t>(pos_)];
    if (i >= r.size()) return std::nullopt;
    if (editing_ && i < pending_.size()) return pending_[i];
    return r[i];
}

bool TableCursor::Edit() {
    if (!hasCurrent()) {
        store_->lastError_ = QStringLiteral("没有当前记录，不能修改");
        return false;
    }
    if (store_->refuseIfReadOnly()) return false;
    editing_ = true;
    pending_ = records_[static_cast<std::size_t>(pos_)];
    return true;
}

bool TableCursor::setField(int i, const QString &value) {
    if (!editing_ || i < 0 || i >= pending_.size()) return false;
    pending_[i] = value;
    return true;
}

bool TableCursor::Update() {
    if (!editing_ || !hasCurrent()) return false;
    editing_ = false;
    const auto p = static_cast<std::size_t>(pos_);
    if (!store_->updateRow(table_, rowIds_[p], columns_, pending_)) return false;
    records_[p] = pending_;
    return true;
}

bool TableCursor::Delete() {
    if (!hasCurrent()) {
        store_->lastError_ = QStringLiteral("没有当前记录，不能删除");
        return false;
    }
    if (store_->refuseIfReadOnly()) return false;
    const auto p = static_cast<std::size_t>(pos_);
    if (!store_->deleteRow(table_, rowIds_[p])) return false;
    rowIds_.erase(rowIds_.begin() + pos_);
    records_.erase(records_.begin() + pos_);
    deleted_ = true;
    editing_ = false;
    return true;
}

} // namespace services
