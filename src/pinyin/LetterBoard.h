#pragma once

#include "pinyin/PinyinLetterTable.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

class QGroupBox;

namespace ui {
class AnswerButtons;
class FlatButton;
} // namespace ui

namespace pinyin {

// Where a screen puts the four letter frames and how many letters each row holds; pixels.
struct FrameLayout {
    QRect frame;
    std::vector<int> rows; // letters per row, in letter order
};
struct BoardLayout {
    std::array<FrameLayout, 4> frames; // 单韵母, 复韵母, 后鼻韵母, 声母
    int button;                        // side of a square letter button
    int gap;
    double pointSize;
};

// The 47 square letter buttons Button9(1..47) in the frames Frame1..Frame4, each captioned with its
// letter as the chart writes it ("ü", "zh"), on the chart and in the spelling game alike; each
// click is reported as clicked(k).
class LetterBoard : public QObject {
    Q_OBJECT
  public:
    LetterBoard(QWidget *parent, const BoardLayout &layout);

    ui::FlatButton *button(int k) const;
    QGroupBox *frame(Group g) const { return frames_[static_cast<std::size_t>(g)]; }
    void setEnabled(int k, bool on);
    void setAllEnabled(bool on);

  signals:
    void clicked(int k);

  private:
    std::array<QGroupBox *, 4> frames_{};
    std::array<ui::AnswerButtons *, 4> groups_{};
};

} // namespace pinyin
