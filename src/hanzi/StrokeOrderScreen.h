#pragma once

#include "hanzi/StrokeGeometry.h"
#include "hanzi/StrokePlayer.h"
#include "ui/Widgets.h"

#include <functional>
#include <optional>

namespace app {
class AppContext;
}
namespace ui {
class Timer;
}

namespace hanzi {

class StrokeCanvas;

// A character as the lesson shows it: the character and its record's own reading, if it has one.
struct LessonCharacter {
    QString character;
    QString reading;
};

// What the character lesson hands the stroke screen: the character on show, whether its pinyin
// carries tone marks, and how to step the lesson on to its next character.
struct StrokeOrderRequest {
    LessonCharacter shown;
    bool toneMarks = false;
    std::function<std::optional<LessonCharacter>()> next;
};

// 笔顺: a character of the lessons written stroke by stroke in a 田字格, then traced by the child
// (描红). A child screen of the character lessons.
class StrokeOrderScreen : public ui::Screen {
    Q_OBJECT
  public:
    StrokeOrderScreen(app::AppContext &ctx, StrokeOrderRequest request = {});

    // Shows another character, written once from a blank grid (下一个字 comes through here).
    void showCharacter(const LessonCharacter &shown);

    ui::Timer *timer() const { return frameTimer_; }
    StrokeCanvas *canvas() const { return canvas_; }

  private:
    enum class Mode { Watch, Trace, Traced };

    void build();
    void wire();
    void watch(bool oneStroke);
    void trace();
    void judge(const Polyline &line);
    void frame(int ms);
    void showStrokeNumber();
    void showNote(const QString &text, bool praise = false);

    app::AppContext &ctx_;
    StrokeOrderRequest request_;
    StrokePlayer player_;
    Mode mode_ = Mode::Watch;
    int traced_ = 0;      // strokes the child has written right
    int wrongTries_ = 0;  // wrong lines for the stroke now asked, since its last hint
    bool hinting_ = false;
    int fadeMs_ = 0;      // how long the wrong line has still to fade

    StrokeCanvas *canvas_;
    QLabel *title_, *pinyin_, *total_, *strokeNumber_, *note_;
    ui::FlatButton *replay_, *step_, *trace_, *back_, *again_, *nextCharacter_;
    ui::Timer *frameTimer_;
};

} // namespace hanzi
