#pragma once

#include "app/AppContext.h"
#include "ui/Widgets.h"

#include <QHideEvent>

namespace english {

// A screen that speaks English words. However it is left (its own button, the clock, the window
// frame, the program's end), the word being said stops with it.
class WordScreen : public ui::Screen {
  public:
    WordScreen(app::AppContext &ctx, const QString &name, const QString &caption, int widthTw, int heightTw)
        : ui::Screen(name, caption, widthTw, heightTw), ctx_(ctx) {}

  protected:
    void hideEvent(QHideEvent *e) override {
        ui::Screen::hideEvent(e);
        // A minimised window keeps talking; only a screen put away falls silent.
        if (!e->spontaneous()) ctx_.voice().stop();
    }

    app::AppContext &ctx_;
};

} // namespace english
