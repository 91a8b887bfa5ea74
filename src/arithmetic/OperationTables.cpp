#include "arithmetic/OperationTables.h"

namespace arithmetic {

// The lines are kept exactly as children learn them from the printed tables, uneven spacing
// and trailing blanks included; the first minus of each subtraction line is full-width.
const std::vector<OperationTable> &operationTables() {
    static const std::vector<OperationTable> tables = {
        {QStringLiteral("加法口诀表"),
         {QStringLiteral("1+1=2"), QStringLiteral("1+2=3  2+1=3"), QStringLiteral("1+3=4  2+2=4  3+1=4"),
          QStringLiteral("1+4=5  2+3=5  3+2=5  4+1=5"), QStringLiteral("1+5=6  2+4=6  3+3=6  4+2=6  5+1=6"),
          QStringLiteral("1+6=7  2+5=7  3+4=7  4+3=7  5+2=7  6+1=7 "),
          QStringLiteral("1+7=8  2+6=8  3+5=8  4+4=8  5+3=8  6+2=8  7+1=8"),
          QStringLiteral("1+8=9  2+7=9  3+6=9  4+5=9  5+4=9  6+3=9  7+2=9  8+1=9"),
          QStringLiteral("1+9=10 2+8=10 3+7=10 4+6=10 5+5=10 6+4=10 7+3=10 8+2=10 9+1=10 ")}},
        {QStringLiteral("减法口诀表"),
         {QStringLiteral("2－1=1"), QStringLiteral("3－2=1   3-1=2"), QStringLiteral("4－3=1   4-2=2  4-1=3"),
          QStringLiteral("5－4=1   5-3=2  5-2=3  5-1=4"),
          QStringLiteral("6－5=1   6-4=2  6-3=3  6-2=4  6-1=5"),
          QStringLiteral("7－6=1   7-5=2  7-4=3  7-3=4  7-2=5  7-1=6 "),
          QStringLiteral("8－7=1   8-6=2  8-5=3  8-4=4  8-3=5  8-2=6  8-1=7"),
          QStringLiteral("9－8=1   9-7=2  9-6=3  9-5=4  9-4=5  9-3=6  9-2=7  9-1=8"),
          QStringLiteral("10－9=1  10-8=2 10-7=3 10-6=4 10-5=5 10-4=6 10-3=7 10-2=8 10-1=9")}},
        {QStringLiteral("乘法口诀表"),
         {QStringLiteral("1×1=1"), QStringLiteral("1×2=2 2×2=4"), QStringLiteral("1×3=3 2×3=6  3×3=9"),
          QStringLiteral("1×4=4 2×4=8  3×4=12 4×4=16"), QStringLiteral("1×5=5 2×5=10 3×5=15 4×5=20 5×5=25"),
          QStringLiteral("1×6=6 2×6=12 3×6=18 4×6=24 5×6=30 6×6=36 "),
          QStringLiteral("1×7=7 2×7=14 3×7=21 4×7=28 5×7=35 6×7=42 7×7=49"),
          QStringLiteral("1×8=8 2×8=16 3×8=24 4×8=32 5×8=40 6×8=48 7×8=56 8×8=64"),
          QStringLiteral("1×9=9 2×9=18 3×9=27 4×9=36 5×9=45 6×9=54 7×9=63 8×9=72 9×9=81 ")}},
    };
    return tables;
}

const OperationTable *findOperationTable(const QString &name) {
    for (const OperationTable &t : operationTables())
        if (t.name == name) return &t;
    return nullptr;
}

} // namespace arithmetic
