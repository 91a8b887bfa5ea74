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
    explicit WordStudyScreen(app::AppContext &ctx, const BookChoice &choice = {});

  private:
    void build();
    void wire();
    void load();
    void showChoice() override;
    void review() override;
    void start();
    void next();
    void showCurrent();
    bool readingAloud() const;
    int chosenRate() const;

    ui::FlatButton *heading_, *word_, *meaning_;
    QWidget *wordCard_, *exampleCard_; // come up with the first word
    QLabel *position_;                 // "词汇量:… 总第…个"
    QPlainTextEdit *example_;
    QProgressBar *progress_;
    std::array<QRadioButton *, 2> readAloud_{}; // 朗读, 不朗读
    QLabel *speedLabel_;
    QComboBox *speed_;
    ui::FlatButton *start_, *next_, *repeat_, *leave_;
};

} // namespace english
