#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace services {

class ContentStore;

// One table's record cursor: a snapshot of its records in stored order, positioned from 0.
// Moving past either end leaves no current record (AbsolutePosition -1); field reads then
// give nothing instead of failing. Edits and deletions are written to the file at once.
class TableCursor {
  public:
    TableCursor(ContentStore *store, QString table, QStringList columns, std::vector<qint64> rowIds,
                std::vector<QStringList> records);

    const QString &tableName() const { return table_; }
    const QStringList &columns() const { return columns_; }

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(int n);

    int RecordCount() const { return static_cast<int>(records_.size()); }
    int AbsolutePosition() const { return hasCurrent() ? pos_ : -1; }
    // An empty table is before its start and past its end at once.
    bool Eof() const { return pos_ >= RecordCount() || RecordCount() == 0; } // the record set's EOF
    bool BOF() const { return pos_ < 0 || RecordCount() == 0; }
    bool hasCurrent() const { return !deleted_ && pos_ >= 0 && pos_ < RecordCount(); }

    // Field i of the current record, as text; nothing when there is no current record.
    std::optional<QString> Fields(int i) const;
    // The same, empty when there is none: for screens that tolerate a failed read.
    QString field(int i) const { return Fields(i).value_or(QString()); }

    // Edit, set a field, Update: stores the change. False with a reason when it cannot.
    bool Edit();
    bool setField(int i, const QString &value);
    bool Update();
    // Removes the current record; the next MoveNext goes to the record after it.
    bool Delete();

    // Records in order (tests and the maintenance tools read them).
    const std::vector<QStringList> &records() const { return records_; }
    // Whether some record holds text in some field: a table of empty or NULL fields shows nothing.
    bool holdsText() const;

  private:
    friend class ContentStore;
    void replaceSnapshot(std::vector<qint64> rowIds, std::vector<QStringList> records);

    ContentStore *store_;
    QString table_;
    QStringList columns_;
    std::vector<qint64> rowIds_;
    std::vector<QStringList> records_;
    int pos_ = 0;          // -1: before the start; RecordCount(): past the end
    bool deleted_ = false; // the current record was just deleted
    bool editing_ = false;
    QStringList pending_;
};

} // namespace services
