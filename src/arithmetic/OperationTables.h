#pragma once

#include <QString>
#include <array>
#include <vector>

namespace arithmetic {

// One operation table as the table window shows it: its name and nine lines.
struct OperationTable {
    QString name; // also the caption of the drill's table button
    std::array<QString, 9> lines;
};

// The addition, subtraction and multiplication tables, in that order.
const std::vector<OperationTable> &operationTables();

// The table of that name ("加法口诀表", "减法口诀表", "乘法口诀表"), or null.
const OperationTable *findOperationTable(const QString &name);

} // namespace arithmetic
