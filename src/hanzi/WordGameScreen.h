#pragma once

#include "hanzi/WordGameKinds.h"
#include "ui/Widgets.h"

#include <array>
#include <vector>

class QListWidget;
class QRadioButton;
class QTextEdit;

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace ui {
class AnswerButtons;
}

namespace hanzi {

// 学成语, 反义词, 同义词 and 猜谜语: a clue, four answers and the whole table in a list beside
// them; a right answer moves on to the next entry or a random one.
class WordGameScreen : public ui::Screen {
    Q_OBJECT
  public:
    WordGameScreen(app::AppContext &ctx, const WordGameKind &kind);

    int current() const { return c_; }
    // The button the entry's answer is on.
    int rightButton() const { return rightSlot_; }

  private:
    void build();
    void wire();
    void load();
    void noContent(const QString &message);
    void chooseFromList(int i);
    void select(int i);
    void ask(int c, int m);
    void answer(int k);
    void review(const QStringList &items);
    QString orderMode() const;

    app::AppContext &ctx_;
    const WordGameKind &kind_;
    std::vector<WordEntry> entries_;
    int c_ = 0;
    int rightSlot_ = 0;

    QLabel *count_;
    QTextEdit *clueText_ = nullptr;
    ui::FlatButton *clueTile_ = nullptr;
    ui::FlatButton *hint_ = nullptr;
    ui::FlatButton *back_ = nullptr;
    ui::AnswerButtons *answers_;
    QListWidget *list_;
    std::array<QRadioButton *, 2> orderChoice_{};
    std::array<QRadioButton *, 2> listChoice_{};
    app::RoundTally *round_ = nullptr;
    QList<int> reviewQueue_; // entries to ask next, before the game goes on as chosen
};

} // namespace hanzi
