#include "app/Navigator.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/MenuTable.h"
#include "app/ScreenRegistry.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

#include <QApplication>
#include <QCloseEvent>
#include <cstdio>

namespace app {

Navigator::Navigator(AppContext &ctx) : ctx_(ctx) {}

Navigator::~Navigator() {
    quitting_ = true;
    for (auto &w : extras_)
        delete w.data();
    for (auto &w : parents_)
        delete w.data();
    delete current_.data();
}

void Navigator::unload(QWidget *w) {
    // A window's timers stop when it is unloaded, even before Qt gets round to deleting it.
    for (ui::Timer *t : w->findChildren<ui::Timer *>())
        t->setEnabled(false);
    w->removeEventFilter(this);
    w->hide();
    w->deleteLater();
}

void Navigator::unloadCurrent() {
    if (!current_) return;
    QWidget *w = current_;
    current_ = nullptr;
    unload(w);
}

void Navigator::unloadAll() {
    unloadCurrent();
    while (!parents_.isEmpty()) {
        QPointer<QWidget> w = parents_.takeLast();
        if (w) unload(w);
    }
}

QList<QWidget *> Navigator::parents() const {
    QList<QWidget *> out;
    for (const auto &w : parents_)
        if (w) out << w.data();
    return out;
}

void Navigator::install(QWidget *w) {
    current_ = w;
    w->installEventFilter(this);
    // Built and given its texts by now: Tab follows its controls' places, Esc its way back.
    ui::enableKeyboard(w);
    w->show();
    emit screenChanged(w);
}

QWidget *Navigator::showMain() {
    unloadAll();
    auto *main = new MainWindow(ctx_);
    install(main);
    return main;
}

bool Navigator::available(const QString &screen) const {
    if (ctx_.registry().find(screen)) return true;
    std::fprintf(stderr, "Lumibo: the screen %s is not available.\n", qPrintable(screen));
    return false;
}

QWidget *Navigator::create(const QString &screen, const MenuChoice &choice) {
    QWidget *w = ctx_.registry().find(screen)->create(ctx_);
    if (auto *target = dynamic_cast<MenuChoiceTarget *>(w))
        target->applyMenuChoice(choice);
    else if (!choice.isEmpty())
        std::fprintf(stderr, "Lumibo: the screen %s takes no menu choice.\n", qPrintable(screen));
    return w;
}

QWidget *Navigator::open(const QString &screen, const MenuChoice &choice) {
    return open(screen, [&](AppContext &) { return create(screen, choice); });
}

QWidget *Navigator::open(const QString &screen, const Make &make) {
    if (!available(screen)) return nullptr;
    unloadAll();
    QWidget *w = make(ctx_);
    install(w);
    return w;
}

void Navigator::hideParent() {
    QWidget *parent = current_;
    if (!parent) return;
    // Hidden, not unloaded: its choices and timers stay as they are.
    parent->removeEventFilter(this);
    parent->hide();
    parents_.append(parent);
    current_ = nullptr;
}

QWidget *Navigator::openChild(const QString &screen) {
    return openChild(screen, [&](AppContext &) { return create(screen, {}); });
}

QWidget *Navigator::openChild(const QString &screen, const Make &make) {
    if (!available(screen)) return nullptr;
    hideParent();
    QWidget *w = make(ctx_);
    install(w);
    return w;
}

void Navigator::leave() {
    parents_.removeAll(nullptr);
    if (parents_.isEmpty()) {
        returnToMain();
        return;
    }
    unloadCurrent();
    QWidget *parent = parents_.takeLast();
    install(parent);
}

QWidget *Navigator::open(const MenuItem &item) {
    return open(item.screen, item.choice);
}

void Navigator::returnToMain() {
    showMain();
}

void Navigator::adoptExtraWindow(QWidget *w) {
    extras_.removeAll(nullptr);
    if (!extras_.contains(w)) extras_.append(w);
    ui::enableKeyboard(w);
}

void Navigator::quit() {
    quitting_ = true;
    for (auto &w : extras_)
        if (w) w->close();
    extras_.clear();
    unloadAll();
    QCoreApplication::quit();
}

bool Navigator::eventFilter(QObject *watched, QEvent *event) {
    // Closing a window by its frame: the main window ends the program, a screen leaves as its
    // return button would (a child back to its parent), so the program is never left windowless.
    if (event->type() == QEvent::Close && watched == current_ && !quitting_) {
        event->ignore();
        if (qobject_cast<MainWindow *>(current_))
            quit();
        else
            QMetaObject::invokeMethod(this, &Navigator::leave, Qt::QueuedConnection);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
