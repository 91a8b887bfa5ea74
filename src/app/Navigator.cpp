#include "app/Navigator.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/MenuTable.h"
#include "app/ScreenRegistry.h"
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
    delete current_.data();
}

void Navigator::unloadCurrent() {
    if (!current_) return;
    QWidget *w = current_;
    current_ = nullptr;
    // A window's timers stop when it is unloaded, even before Qt gets round to deleting it.
    for (ui::Timer *t : w->findChildren<ui::Timer *>())
        t->setEnabled(false);
    w->removeEventFilter(this);
    w->hide();
    w->deleteLater();
}

void Navigator::install(QWidget *w) {
    current_ = w;
    w->installEventFilter(this);
    w->show();
    emit screenChanged(w);
}

QWidget *Navigator::showMain() {
    unloadCurrent();
    auto *main = new MainWindow(ctx_);
    install(main);
    return main;
}

QWidget *Navigator::open(const QString &screen, const std::function<void(AppContext &)> &setVariables,
                         const std::function<void(QWidget *)> &setTexts) {
    const ScreenEntry *entry = ctx_.registry().find(screen);
    if (!entry) {
        std::fprintf(stderr, "Lumibo: the screen %s is not available.\n", qPrintable(screen));
        return nullptr;
    }
    unloadCurrent();
    if (setVariables) setVariables(ctx_);
    QWidget *w = entry->create(ctx_);
    if (setTexts) setTexts(w);
    install(w);
    return w;
}

QWidget *Navigator::open(const MenuItem &item) {
    return open(item.screen, item.setVariables, item.setTexts);
}

void Navigator::returnToMain() {
    showMain();
}

void Navigator::adoptExtraWindow(QWidget *w) {
    extras_.removeAll(nullptr);
    if (!extras_.contains(w)) extras_.append(w);
}

void Navigator::quit() {
    quitting_ = true;
    for (auto &w : extras_)
        if (w) w->close();
    extras_.clear();
    unloadCurrent();
    QCoreApplication::quit();
}

bool Navigator::eventFilter(QObject *watched, QEvent *event) {
    // Closing a window by its frame: the main window ends the program, a screen returns to
    // the main window as its return button would, so the program is never left windowless.
    if (event->type() == QEvent::Close && watched == current_ && !quitting_) {
        event->ignore();
        if (qobject_cast<MainWindow *>(current_))
            quit();
        else
            QMetaObject::invokeMethod(this, &Navigator::returnToMain, Qt::QueuedConnection);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
