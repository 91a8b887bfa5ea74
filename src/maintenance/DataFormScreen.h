#pragma once

#include "ui/Widgets.h"

#include <functional>
#include <memory>

class QPlainTextEdit;

namespace app {
class AppContext;
}
namespace ui {
class Timer;
}

namespace maintenance {

struct ToolResult;
class ShuffleBatch;

// dataform: one-off editing tools for the content store. Leaving it closes the store.
class DataFormScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit DataFormScreen(app::AppContext &ctx);
    ~DataFormScreen() override;

    // Asks before a tool changes records; a message box in the program, a stand-in in tests.
    using Confirm = std::function<bool(const QString &question)>;
    using Inform = std::function<void(const QString &message)>;
    void setConfirm(Confirm c) { confirm_ = std::move(c); }
    void setInform(Inform i) { inform_ = std::move(i); }

    // What is printed on the window, line by line.
    QString printed() const;
    ui::Timer *shuffleTimer() const { return timer1_; }
    ui::Timer *landTimer() const { return landTimer_; }

  private:
    void print(const QString &line);
    // What a tool did, printed; or why it did nothing, in a message box.
    void report(const ToolResult &r, const QString &done);
    void clearPrint();
    bool ask(const QString &question);
    void runTool(const QString &question, const std::function<void()> &tool);
    void setBusy(bool busy);
    void shuffleTick();
    bool landShuffle();
    void stopShuffle();

    app::AppContext &ctx_;
    QPlainTextEdit *surface_ = nullptr;
    ui::Timer *timer1_ = nullptr;
    ui::Timer *landTimer_ = nullptr;
    std::unique_ptr<ShuffleBatch> batch_;
    Confirm confirm_;
    Inform inform_;
    QList<QPushButton *> tools_;
};

} // namespace maintenance
