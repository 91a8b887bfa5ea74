#pragma once

#include "hanzi/LessonStepper.h"
#include "ui/Widgets.h"

#include <memory>

class QComboBox;
class QLineEdit;

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace ui {
class Timer;
class ToneMarksBox;
} // namespace ui

namespace hanzi {

// What sets the character lesson apart from the word-group lesson.
struct LessonKind {
    QString screenName; // "renzidan"
    QString caption;    // "单字"
    QString title;      // "单字学习"
    int slot;           // the table's slot in the store
    double entryPointSize;
    QString reviewList{}; // the review list whose items the lesson shows again; none when empty
};

const LessonKind &characterLessons();
const LessonKind &wordGroupLessons();

// renzidan / renzicizu: lessons of ten entries in a very large font with their pinyin,
// stepped by hand or automatically.
class LessonScreen : public ui::Screen {
    Q_OBJECT
  public:
    LessonScreen(app::AppContext &ctx, const LessonKind &kind);

    ui::Timer *timer() const { return autoPlayTimer_; }

  private:
    void build();
    void wire();
    void load();
    void chooseLesson(int index);
    void show(const LessonStepper::Shown &s);
    void refreshPinyin();
    void showPinyin();
    void toggleAutoPlay();
    void setEntry(const QString &text);
    void offerStrokeOrder();
    void openStrokeOrder();
    bool stepForward();
    bool showReviewed();

    app::AppContext &ctx_;
    LessonKind kind_;
    std::unique_ptr<LessonStepper> stepper_;
    QComboBox *lessonChoice_, *intervalChoice_;
    QLabel *entry_, *place_, *lessonNote_;
    QLineEdit *pinyin_;
    ui::ToneMarksBox *toneMarks_;
    QString entryReading_; // the own reading of the record Label1 shows, if it has one
    QString pinyinOf_;     // the text whose pinyin Txtpy shows
    QString readingOf_;    // and its own reading
    ui::FlatButton *next_, *prev_, *auto_, *back_;
    ui::FlatButton *strokeOrder_ = nullptr; // the character lessons only
    ui::Timer *autoPlayTimer_;
    bool playing_ = false;
    app::RoundTally *round_;  // a round is a lesson stepped through
    QStringList reviewQueue_; // entries missed elsewhere, shown before the lesson goes on
};

} // namespace hanzi
