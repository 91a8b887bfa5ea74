#include "pinyin/LetterBoard.h"

#include "ui/AnswerButtons.h"
#include "ui/Fonts.h"

#include <QGroupBox>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace pinyin {

namespace {
constexpr std::array<Group, 4> kGroups{Group::Simple, Group::Compound, Group::BackNasal, Group::Initial};
// Room above the first row for the frame's title, and around the rows.
constexpr int kTitle = 32;
constexpr int kMargin = 12;
// Qt's raster engine hands a fill of 96 rows or more to its paint threads and waits for them;
// on a busy machine that wait was most of a board's first paint. Bands of fewer rows it fills
// on its own.
constexpr int kBandRows = 88;

// A letter frame that paints its frame and title in bands of fewer than kBandRows device rows.
class BandedGroupBox : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent *event) override {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        QPainter p(this);
        const int band = std::max(1, int(kBandRows / devicePixelRatioF()));
        const QRect area = event->rect();
        for (int top = area.top(); top <= area.bottom(); top += band) {
            p.setClipRect(QRect(area.left(), top, area.width(), std::min(band, area.bottom() + 1 - top)));
            style()->drawComplexControl(QStyle::CC_GroupBox, &option, &p, this);
        }
    }
};
} // namespace

LetterBoard::LetterBoard(QWidget *parent, const BoardLayout &layout) : QObject(parent) {
    for (std::size_t f = 0; f < kGroups.size(); ++f) {
        const FrameLayout &fl = layout.frames[f];
        const LetterRange range = groupRange(kGroups[f]);
        auto *box = new BandedGroupBox(groupName(kGroups[f]), parent);
        box->setObjectName(QStringLiteral("Frame%1").arg(f + 1));
        box->setFont(ui::simSun(12, true));
        box->setGeometry(fl.frame);
        frames_[f] = box;

        std::vector<QRect> places;
        for (std::size_t row = 0; row < fl.rows.size(); ++row)
            for (int col = 0; col < fl.rows[row]; ++col)
                places.emplace_back(kMargin + col * (layout.button + layout.gap),
                                    kTitle + int(row) * (layout.button + layout.gap), layout.button,
                                    layout.button);
        Q_ASSERT(int(places.size()) == range.size());
        auto *buttons =
            new ui::AnswerButtons(box, QStringLiteral("Button9"), places, layout.pointSize, range.first);
        buttons->setNumberKeys(false); // 47 letters: no number for each
        for (int k = range.first; k <= range.last; ++k)
            buttons->setCaption(k, letter(k));
        connect(buttons, &ui::AnswerButtons::chosen, this, &LetterBoard::clicked);
        groups_[f] = buttons;
    }
}

ui::FlatButton *LetterBoard::button(int k) const {
    return groups_[static_cast<std::size_t>(groupOf(k))]->button(k);
}

void LetterBoard::setEnabled(int k, bool on) {
    button(k)->setEnabled(on);
}

void LetterBoard::setAllEnabled(bool on) {
    for (auto *g : groups_)
        g->setAllEnabled(on);
}

} // namespace pinyin
