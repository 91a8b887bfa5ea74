#pragma once

#include "ui/Widgets.h"

#include <array>

class QListWidget;

namespace app {
class AppContext;
}
namespace ui {
class ToneMarksBox;
}

namespace poems {

// tangshiform: the poems listed by title; the chosen one shown line by line with the pinyin
// of each line above it.
class PoemStudyScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit PoemStudyScreen(app::AppContext &ctx);

  protected:
    void showEvent(QShowEvent *e) override;

  private:
    void fillList();
    void showPoem(int k);
    void layoutLine(int i);
    void showPinyin(int i);

    app::AppContext &ctx_;
    QWidget *panel_;
    std::array<QLabel *, 6> lines_{};
    std::array<QLabel *, 6> pinyin_{};
    QListWidget *list_;
    QLabel *count_;
    ui::FlatButton *next_, *prev_;
    ui::ToneMarksBox *toneMarks_;
    bool filled_ = false;
};

} // namespace poems
