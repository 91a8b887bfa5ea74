#pragma once

#include "ui/Widgets.h"

#include <functional>
#include <memory>

class QLabel;
class QMessageBox;
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

// dataform: one-off editing tools for the content store. It says which file it changes; when
// that is the user's own copy of the shipped content, "恢复原始内容" goes back to the shipped one.
// Leaving it keeps the store open, every cursor back on its first record.
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
    // The line saying which file the tools change.
    QString fileLine() const;
    // The box that asks before a change, as the program shows it.
    QMessageBox *questionBox(const QString &question);
    ui::Timer *shuffleTimer() const { return shuffleTimer_; }
    ui::Timer *landTimer() const { return landTimer_; }

  protected:
    void hideEvent(QHideEvent *e) override;

  private:
    // Leaving: the shuffle's last swaps land and the cursors are rewound, once.
    void leave();
    bool left_ = false;
    // The tool buttons, in the order they stand on the window, two to a row.
    enum class Tool {
        Back,                      // 返回
        RemoveDuplicates,          // 删除重复字
        CountFirstBook,            // counts the first book's words
        End,                       // 结束: no function
        Shuffle,                   // 重新排序
        Stop,                      // 停止: stops the shuffle
        RemoveLongAntonyms,        // 删除长度大于4个汉字
        ListSame,                  // 列出相同: no function
        DeletePoems,               // 删除唐诗: no function
        DropFirstSynonymCharacter, // drops the first character of each synonym
        Count
    };
    QPushButton *tool(Tool t) const { return tools_[static_cast<int>(t)]; }

    void build();
    void wire();
    void load();
    void removeDuplicates();
    void countFirstBookWords();
    void startShuffle();
    void print(const QString &line);
    // What a tool did, printed; or why it did nothing, in a message box.
    void report(const ToolResult &r, const QString &done);
    void clearPrint();
    bool ask(const QString &question);
    void runTool(const QString &question, const std::function<void()> &tool);
    bool shuffleRunning();
    void restoreShipped();
    // The file line, "恢复原始内容" and which tools have a table to work on, after the store opened.
    void showStore();
    void setBusy(bool busy);
    void shuffleTick();
    bool landShuffle();
    void stopShuffle();

    app::AppContext &ctx_;
    QPlainTextEdit *surface_ = nullptr;
    QLabel *file_ = nullptr;
    QPushButton *restore_ = nullptr;
    ui::Timer *shuffleTimer_ = nullptr;
    ui::Timer *landTimer_ = nullptr;
    std::unique_ptr<ShuffleBatch> batch_;
    Confirm confirm_;
    Inform inform_;
    QList<QPushButton *> tools_;
};

} // namespace maintenance
