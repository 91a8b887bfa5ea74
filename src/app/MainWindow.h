#pragma once

#include <QMainWindow>

class QMenu;

namespace ui {
class FlatButton;
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
    // The tile saying which child is learning; null until a parent has named one.
    ui::FlatButton *learnerTile() const { return learner_; }
    // Puts the tile up once the record has a named child (the window's load does it).
    void showLearnerTile();
    QMenu *childMenu() const { return childMenu_; }

  private:
    void buildMenu();
    void runStartupSteps();
    void showAbout();
    void showLearner();

    AppContext &ctx_;
    ui::Timer *reseedTimer_ = nullptr;
    ui::FlatButton *learner_ = nullptr;
    QMenu *childMenu_ = nullptr;
};

// The about box's text: six lines.
QString aboutText();

} // namespace app
