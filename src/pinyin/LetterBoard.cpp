#include "pinyin/LetterBoard.h"

#include "ui/AnswerButtons.h"
#include "ui/Fonts.h"

#include <QGroupBox>

namespace pinyin {

namespace {
constexpr std::array<Group, 4> kGroups{Group::Simple, Group::Compound, Group::BackNasal, Group::Initial};
// Room above the first row for the frame's title, and around the rows.
constexpr int kTitle = 32;
constexpr int kMargin = 12;
} // namespace

LetterBoard::LetterBoard(QWidget *parent, const BoardLayout &layout) : QObject(parent) {
    for (std::size_t f = 0; f < kGroups.size(); ++f) {
        const FrameLayout &fl = layout.frames[f];
        const LetterRange range = groupRange(kGroups[f]);
        auto *box = new QGroupBox(groupName(kGroups[f]), parent);
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
