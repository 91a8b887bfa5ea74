#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ParentCheck.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"
#include "ui/Backdrop.h"
#include "ui/Timer.h"
#include "ui/Widgets.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace app {

MainWindow::MainWindow(AppContext &ctx) : QMainWindow(nullptr), ctx_(ctx) {
    setObjectName(screens::kMain);
    setWindowTitle(QStringLiteral("Lumibo-V" LUMIBO_VERSION));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ui::twips(kClientWidthTw), ui::twips(kClientHeightTw));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto *picture = new ui::Backdrop(ui::Backdrop::Scene::Meadow, client);
    picture->setGeometry(ui::twRect(0, 0, 8775, 5775));

    const QColor blue(0, 0, 255);
    const char *letters[] = {"L", "u", "m", "i", "b", "o"};
    for (int i = 0; i < 6; ++i)
        ui::makeLabel(QStringLiteral("Label%1").arg(i + 1), QString::fromUtf8(letters[i]), client,
                      ui::twRect(200, 240 + 744 * i, 495, 495), 26.25, blue)
            ->setAlignment(Qt::AlignCenter);
    ui::makeLabel(QStringLiteral("Label7"), QStringLiteral("V" LUMIBO_VERSION), client, ui::twRect(120, 4800, 855, 495),
                  18, blue);

    auto *database = new ui::FlatButton(QStringLiteral("Command1"), QStringLiteral("数据库"), client, 10.5);
    database->setGeometry(ui::twRect(6960, 120, 1455, 735));
    database->setEnabled(ctx_.registry().find(screens::kMaintenance) != nullptr);
    connect(database, &QPushButton::clicked, this, [this] { ctx_.navigator().open(screens::kMaintenance); });

    reseedTimer_ = new ui::Timer(QStringLiteral("Timer1"), 300, this);
    connect(reseedTimer_, &ui::Timer::tick, this, [this] { ctx_.random.randomize(); });

    showLearnerTile();
    buildMenu();
    runStartupSteps();
}

void MainWindow::showLearnerTile() {
    // Only once a parent has named a child: until then there is one child and nothing to show.
    services::LearningRecord *record = ctx_.learningRecord();
    if (learner_ || !record || !record->hasNamedChild()) return;
    learner_ = new ui::FlatButton(QStringLiteral("Command2"), QString(), centralWidget(), 10.5);
    learner_->setGeometry(ui::twRect(6960, 960, 1455, 735));
    childMenu_ = new QMenu(learner_);
    childMenu_->setObjectName(QStringLiteral("childMenu"));
    for (const services::Child &c : record->children()) {
        QAction *a = childMenu_->addAction(c.name);
        a->setObjectName(QStringLiteral("child%1").arg(c.id));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, id = c.id] {
            ctx_.learningRecord()->setCurrentChild(id);
            showLearner();
        });
    }
    connect(learner_, &QPushButton::clicked, this,
            [this] { childMenu_->popup(learner_->mapToGlobal(QPoint(0, learner_->height()))); });
    learner_->show();
    showLearner();
}

void MainWindow::showLearner() {
    const services::Child who = ctx_.learningRecord()->currentChild();
    learner_->setCaption(who.name + QStringLiteral("在学习"));
    learner_->setAccessibleName(QStringLiteral("正在学习的是%1，点一下换人").arg(who.name));
    for (QAction *a : childMenu_->actions())
        a->setChecked(a->objectName() == QStringLiteral("child%1").arg(who.id));
}

void MainWindow::buildMenu() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menubar"));
    for (const TopMenu &top : menuTable()) {
        QMenu *menu = bar->addMenu(top.caption);
        menu->setObjectName(top.name);
        menu->menuAction()->setObjectName(top.name);
        for (const MenuItem &item : top.items) {
            if (item.kind == MenuItem::Kind::Separator) {
                QAction *sep = menu->addSeparator();
                sep->setObjectName(item.name);
                continue;
            }
            QAction *a = menu->addAction(item.caption);
            a->setObjectName(item.name);
            switch (item.kind) {
            case MenuItem::Kind::Open:
                // Items whose screen is not built yet stay visible but disabled.
                a->setEnabled(ctx_.registry().find(item.screen) != nullptr);
                connect(a, &QAction::triggered, this, [this, &item] { ctx_.navigator().open(item); });
                break;
            case MenuItem::Kind::Guarded:
                connect(a, &QAction::triggered, this, [this, &item] {
                    ParentCheck::ask(ctx_.random, this, [this, &item] { ctx_.navigator().open(item.screen); });
                });
                break;
            case MenuItem::Kind::About:
                connect(a, &QAction::triggered, this, &MainWindow::showAbout);
                break;
            case MenuItem::Kind::Quit:
                connect(a, &QAction::triggered, this, [this] { ctx_.navigator().quit(); });
                break;
            case MenuItem::Kind::Separator:
                break;
            }
        }
    }
}

void MainWindow::runStartupSteps() {
    // Safe to repeat on every load: the voice registers once more, the player keeps its file.
    ctx_.voice().registerVoice(QString(), QStringLiteral("speech"));
    reseedTimer_->setEnabled(true);
    ctx_.jieguo().open(ctx_.programFile(QStringLiteral("jieguo.wav")));
    // study.dat is an SQLite file: nothing is written into it here (no header bytes to restore),
    // and a missing one is not created. The single-instance check runs once, before this
    // window is first created (see main).
}

QString aboutText() {
    return QStringList{QStringLiteral(" Lumibo" LUMIBO_VERSION),          QString(),
                       QStringLiteral(" 作者:Lumibo 开发组"), QStringLiteral(" email: lumibo@example.org"),
                       QStringLiteral("通讯地址：无"),        QStringLiteral("本项目没有邮寄地址   tel:无")}
        .join(QLatin1Char('\n'));
}

void MainWindow::showAbout() {
    // Modal over the main window, without blocking the event loop.
    auto *box =
        new QMessageBox(QMessageBox::NoIcon, QStringLiteral("关于"), aboutText(), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("aboutBox"));
    box->setStyleSheet(ui::dialogLook());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace app
