#pragma once

#include <QMainWindow>

namespace ui {
class Timer;
}

namespace app {

class AppContext;

// The hub: the menu bar that opens every screen. Its load runs the start-up steps.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The client area below the menu bar, in twips.
    static constexpr int kClientWidthTw = 8790;
    static constexpr int kClientHeightTw = 5760;

    explicit MainWindow(AppContext &ctx);
    ui::Timer *reseedTimer() const { return reseedTimer_; }

  private:
    void buildMenu();
    void runStartupSteps();
    void showAbout();

    AppContext &ctx_;
    ui::Timer *reseedTimer_ = nullptr;
};

// The about box's text: six lines.
QString aboutText();

} // namespace app
