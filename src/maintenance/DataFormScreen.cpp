#include "maintenance/DataFormScreen.h"

#include <QHideEvent>

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "maintenance/MaintenanceTools.h"
#include "services/ContentSchema.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>

#include <iterator>

namespace maintenance {

using services::TableCursor;

namespace {

// Said on opening and whenever a tool would change a file that cannot be changed (a copy of the
// user's own that they marked read-only; the shipped file of an installed Lumibo is never changed).
const QString kReadOnly = QStringLiteral("内容库 study.dat 是只读文件，不能修改");
const QString kShuffleRunning = QStringLiteral("正在重新排序，请先按“停止”，再使用其他工具");

// A path as the parent knows it: the home folder as "~".
QString shown(const QString &path) {
    const QString home = QDir::homePath();
    return path.startsWith(home + QLatin1Char('/')) ? QLatin1Char('~') + path.mid(home.size()) : path;
}

// Shows the wait cursor while a tool runs.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

DataFormScreen::DataFormScreen(app::AppContext &ctx)
    : ui::Screen(screens::kMaintenance, QStringLiteral("Form1"), 9000, 7260), ctx_(ctx) {
    build();
    wire();
    load();
}

void DataFormScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::LightBlue, this);

    // In the order of Tool, two to a row.
    struct Spec {
        const char *name;
        const char *caption;
    };
    const Spec specs[] = {{.name = "Command1", .caption = "返回"},
                          {.name = "Command2", .caption = "删除重复字"},
                          {.name = "Command3", .caption = "Command3"},
                          {.name = "Command4", .caption = "结束"},
                          {.name = "Command5", .caption = "重新排序"},
                          {.name = "Command6", .caption = "停止"},
                          {.name = "Command7", .caption = "删除长度大于4个汉字"},
                          {.name = "Command8", .caption = "列出相同"},
                          {.name = "Command9", .caption = "删除唐诗"},
                          {.name = "Command10", .caption = "Command10"}};
    static_assert(std::size(specs) == static_cast<std::size_t>(Tool::Count));
    for (int i = 0; i < static_cast<int>(Tool::Count); ++i) {
        auto *b = new ui::FlatButton(QString::fromLatin1(specs[i].name), QString::fromUtf8(specs[i].caption),
                                     this, 10.5);
        b->setGeometry(ui::twRect(240 + (i % 2) * 2040, 240 + (i / 2) * 1140, 1920, 900));
        tools_ << b;
    }

    surface_ = new QPlainTextEdit(this);
    surface_->setObjectName(QStringLiteral("printArea"));
    surface_->setReadOnly(true);
    surface_->setFont(ui::simSun(12));
    surface_->setGeometry(ui::twRect(4500, 240, 4260, 6300));
    surface_->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #ffffff; color: #1a237e; border: 1px solid #90caf9; }"));

    // Below the tools: going back to the shipped content, and which file the tools change.
    restore_ =
        new ui::FlatButton(QStringLiteral("restoreOriginal"), QStringLiteral("恢复原始内容"), this, 10.5);
    restore_->setGeometry(ui::twRect(240, 5940, 3960, 600));
    file_ = ui::makeLabel(QStringLiteral("contentFile"), QString(), this, ui::twRect(240, 6660, 8520, 540), 9,
                          QColor(0x1a, 0x23, 0x7e));
    file_->setWordWrap(true);
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    shuffleTimer_ = new ui::Timer(QStringLiteral("Timer1"), 1, this);
    // The shuffle's swaps land every quarter second, not one write per step.
    landTimer_ = new ui::Timer(QStringLiteral("landTimer"), 250, this);

    ui::markBack(tool(Tool::Back));
    surface_->setAccessibleName(QStringLiteral("结果"));
    // "结束", "列出相同" and "删除唐诗" have no function.
    for (Tool t : {Tool::End, Tool::ListSame, Tool::DeletePoems})
        tool(t)->setEnabled(false);
}

void DataFormScreen::wire() {
    confirm_ = [this](const QString &question) {
        return ui::showMessage(questionBox(question)) == QMessageBox::Ok;
    };
    inform_ = [this](const QString &message) {
        ui::showMessage(this, QMessageBox::Warning, QStringLiteral("数据库"), message);
    };

    connect(shuffleTimer_, &ui::Timer::tick, this, &DataFormScreen::shuffleTick);
    connect(landTimer_, &ui::Timer::tick, this, [this] { landShuffle(); });

    auto on = [this](Tool t, auto slot) { connect(tool(t), &QPushButton::clicked, this, slot); };
    on(Tool::Back, [this] { ctx_.navigator().returnToMain(); });
    on(Tool::RemoveDuplicates, &DataFormScreen::removeDuplicates);
    on(Tool::CountFirstBook, &DataFormScreen::countFirstBookWords);
    on(Tool::Shuffle, &DataFormScreen::startShuffle);
    on(Tool::Stop, &DataFormScreen::stopShuffle);
    on(Tool::RemoveLongAntonyms, [this] {
        runTool(QStringLiteral("删除“反义词”中词语长度大于4个汉字的记录？"),
                [this] { report(removeLongAntonyms(ctx_.store()), QStringLiteral("删除了%1个记录")); });
    });
    on(Tool::DropFirstSynonymCharacter, [this] {
        runTool(QStringLiteral("去掉“同义词”每个答案的第一个字？"), [this] {
            report(dropFirstSynonymCharacter(ctx_.store()), QStringLiteral("修改了%1个记录"));
        });
    });
    connect(restore_, &QPushButton::clicked, this, &DataFormScreen::restoreShipped);
}

void DataFormScreen::load() {
    // Showing this window opens the store, and each visit starts a new backup.
    auto &store = ctx_.store();
    store.resetBackup();
    const bool opened = store.ensureOpen();
    if (!store.notice().isEmpty()) print(store.notice());
    if (!opened) {
        print(store.problem());
    } else {
        // A file that cannot be changed is said at once, before anyone tries a tool; reading still works.
        if (store.readOnly()) print(kReadOnly);
        // A table the file lacks, or that holds nothing, is named here; the tools that work on a
        // lacking one are off.
        for (int slot = 1; slot <= services::kTableCount; ++slot) {
            const QString why = store.contentProblemFor(slot);
            if (!why.isEmpty()) print(why);
        }
    }
    showStore();
}

void DataFormScreen::removeDuplicates() {
    runTool(QStringLiteral("删除“单字”中重复的字（每个字保留第一次出现的）？"), [this] {
        auto &store = ctx_.store();
        if (auto *c = store.Data(services::kSingleCharacters)) {
            c->MoveLast();
            print(QString::number(c->RecordCount()));
        }
        const ToolResult r = removeDuplicateCharacters(store, [this](int i) {
            clearPrint();
            print(QString::number(i));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        report(r, QStringLiteral("删除了%1个重复字"));
    });
}

void DataFormScreen::countFirstBookWords() {
    if (!ctx_.store().Data(1)) {
        inform_(ctx_.store().problemFor(1));
        return;
    }
    print(QString::number(countFirstBook(ctx_.store())));
}

void DataFormScreen::startShuffle() {
    auto &store = ctx_.store();
    TableCursor *c = store.Data(1);
    if (!c) {
        inform_(store.problemFor(1));
        return;
    }
    // Refusals come before the question, and nothing is backed up for them.
    if (store.readOnly()) {
        inform_(kReadOnly);
        return;
    }
    if (c->RecordCount() < kShuffleMinimum) {
        inform_(QStringLiteral("第一册英语单词只有%1个，不到%2个，没有可以打乱的")
                    .arg(c->RecordCount())
                    .arg(kShuffleMinimum));
        return;
    }
    if (shuffleTimer_->isEnabled()) return;
    if (ask(QStringLiteral("打乱第一册英语单词的编号（第200到1179个记录）？按“停止”结束。"))) {
        shuffleTimer_->setEnabled(true);
        landTimer_->setEnabled(true);
    }
}

DataFormScreen::~DataFormScreen() {
    // Deleted without being hidden first (the program ending with it on show): the store is
    // still there then. Once hidden, it may not be, so a hidden screen touches it no more.
    if (!left_) leave();
}

void DataFormScreen::hideEvent(QHideEvent *e) {
    if (!e->spontaneous() && !left_) leave(); // unloaded, not minimised
    ui::Screen::hideEvent(e);
}

void DataFormScreen::leave() {
    left_ = true;
    stopShuffle();
    // The store stays open: the tools' changes are in its cursors already, so the next screen
    // need not read the thirty tables again. Its cursors start from the first record, as after
    // a fresh opening.
    ctx_.store().rewind();
}

QString DataFormScreen::printed() const {
    return surface_->toPlainText();
}

QString DataFormScreen::fileLine() const {
    return file_->text();
}

QMessageBox *DataFormScreen::questionBox(const QString &question) {
    return ui::makeMessage(this, QMessageBox::Question, QStringLiteral("数据库"), question,
                           QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
}

void DataFormScreen::showStore() {
    auto &store = ctx_.store();
    const bool ownCopyRule = !store.ownCopyPath().isEmpty();
    if (!store.isOpen())
        file_->setText(QStringLiteral("内容库：%1").arg(shown(store.path())));
    else if (store.readsOwnCopy())
        file_->setText(QStringLiteral("修改的内容库：%1（你自己的内容库）\n原始内容库：%2")
                           .arg(shown(store.path()), shown(store.shippedPath())));
    else if (ownCopyRule)
        file_->setText(
            QStringLiteral(
                "内容库：%1（原始内容，不会改动）\n第一次修改时复制到 %2，之后修改这份你自己的内容库")
                .arg(shown(store.path()), shown(store.ownCopyPath())));
    else
        file_->setText(QStringLiteral("修改的内容库：%1").arg(shown(store.path())));
    // Going back to the shipped content is offered where there is a copy of one's own to give up.
    restore_->setVisible(ownCopyRule);
    restore_->setEnabled(store.readsOwnCopy());

    const struct {
        Tool tool;
        int slot;
    } uses[] = {{.tool = Tool::RemoveDuplicates, .slot = services::kSingleCharacters},
                {.tool = Tool::CountFirstBook, .slot = 1},
                {.tool = Tool::Shuffle, .slot = 1},
                {.tool = Tool::Stop, .slot = 1},
                {.tool = Tool::RemoveLongAntonyms, .slot = services::kAntonyms},
                {.tool = Tool::DropFirstSynonymCharacter, .slot = services::kSynonyms}};
    for (const auto &u : uses)
        tool(u.tool)->setEnabled(store.isOpen() && store.Data(u.slot));
}

void DataFormScreen::restoreShipped() {
    if (shuffleRunning() ||
        !ask(QStringLiteral("恢复原始内容？你自己的内容库会先改名备份在它旁边，然后读取原始内容库。")))
        return;
    auto &store = ctx_.store();
    if (!store.restoreShipped()) {
        inform_(store.lastError());
        return;
    }
    print(QStringLiteral("已恢复原始内容；你自己的内容库已备份为 %1").arg(store.lastBackup()));
    if (!store.isOpen()) print(store.problem());
    showStore();
}

void DataFormScreen::report(const ToolResult &r, const QString &done) {
    if (!r.ok) {
        inform_(r.error);
        return;
    }
    print(done.arg(r.changed));
    if (!r.backup.isEmpty()) print(QStringLiteral("原来的内容库已备份为 %1").arg(r.backup));
}

void DataFormScreen::print(const QString &line) {
    surface_->appendPlainText(line);
}

void DataFormScreen::clearPrint() {
    surface_->clear();
}

bool DataFormScreen::ask(const QString &question) {
    return confirm_ && confirm_(question);
}

void DataFormScreen::setBusy(bool busy) {
    // While a tool runs only its progress repaints; no second tool, no return mid-way.
    for (QPushButton *b : tools_)
        b->setAttribute(Qt::WA_TransparentForMouseEvents, busy);
}

bool DataFormScreen::shuffleRunning() {
    // The shuffle writes on every tick; a tool waits until it is stopped, so neither mixes
    // its changes into the other's.
    if (!shuffleTimer_->isEnabled()) return false;
    inform_(kShuffleRunning);
    return true;
}

void DataFormScreen::runTool(const QString &question, const std::function<void()> &tool) {
    if (ctx_.store().readOnly()) {
        inform_(kReadOnly);
        return;
    }
    if (shuffleRunning() || !ask(question)) return;
    const bool copyPending = ctx_.store().copyPending();
    {
        WaitCursor wait;
        setBusy(true);
        tool();
        setBusy(false);
    }
    if (copyPending && ctx_.store().readsOwnCopy()) {
        print(QStringLiteral("原始内容库没有改动；修改保存在你自己的内容库 %1")
                  .arg(shown(ctx_.store().path())));
        showStore();
    }
}

void DataFormScreen::shuffleTick() {
    if (!batch_) batch_ = std::make_unique<ShuffleBatch>(ctx_.store());
    const bool copyPending = ctx_.store().copyPending();
    const ShuffleStep step = batch_->step(ctx_.random);
    if (copyPending && ctx_.store().readsOwnCopy()) showStore();
    clearPrint();
    if (!step.result.ok) {
        stopShuffle();
        inform_(step.result.error);
        return;
    }
    print(step.shown);
}

bool DataFormScreen::landShuffle() {
    if (!batch_) return true;
    const ToolResult r = batch_->commit();
    if (!r.ok) {
        shuffleTimer_->setEnabled(false);
        landTimer_->setEnabled(false);
        inform_(r.error);
    }
    return r.ok;
}

void DataFormScreen::stopShuffle() {
    shuffleTimer_->setEnabled(false);
    landTimer_->setEnabled(false);
    landShuffle();
    batch_.reset();
}

} // namespace maintenance
