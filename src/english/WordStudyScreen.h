#pragma once

#include "english/WordScreen.h"

#include <array>

class QComboBox;
class QPlainTextEdit;
class QRadioButton;

namespace app {
class AppContext;
}

namespace english {

// 学单词: the words of one group shown one by one with meaning and example, read aloud if wished.
class WordStudyScreen : public WordScreen {
    Q_OBJECT
  public:
    explicit WordStudyScreen(app::AppContext &ctx);

  private:
    void start();
    void next();
    void showCurrent();
    bool readingAloud() const;
    int chosenRate() const;

    ui::FlatButton *button1_, *button3_, *button4_, *button5_, *button6_, *repeat_;
    QLabel *label1_;
    QPlainTextEdit *text1_;
    std::array<QRadioButton *, 2> option1_{};
    QComboBox *combo2_;
    QProgressBar *progress1_;
    QWidget *picture1_, *picture2_;
};

} // namespace english
