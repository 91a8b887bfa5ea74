#pragma once

#include "app/MenuChoice.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace app {

class AppContext;
struct MenuItem;

// One screen at a time. Opening a screen unloads the main window, creates the screen, hands it
// the menu item's choice and shows it; a screen's return unloads it and shows a fresh main
// window, whose load runs the start-up steps again.
class Navigator : public QObject {
    Q_OBJECT
  public:
    explicit Navigator(AppContext &ctx);
    ~Navigator() override;

    // Creates and shows a fresh main window (unloading whatever screen is up).
    QWidget *showMain();
    // Opens a registered screen plainly, or as a menu item does: with the item's choice.
    QWidget *open(const QString &screen, const MenuChoice &choice = {});
    QWidget *open(const MenuItem &item);
    // Opens a registered screen as a child of the one on show: the parent is hidden with its
    // state kept, and the child's leave shows it again as it was.
    QWidget *openChild(const QString &screen);
    // The same two, with the screen made by make instead of its registered default: a screen
    // that hands values to the one it opens gives them to its constructor this way.
    using Make = std::function<QWidget *(AppContext &ctx)>;
    QWidget *open(const QString &screen, const Make &make);
    QWidget *openChild(const QString &screen, const Make &make);
    // A screen's return button: unload it (and any parent it has), show the main window.
    void returnToMain();
    // A child screen's leave: unload it and show its parent again; on any other screen the same
    // as returnToMain.
    void leave();
    // Ends the program cleanly: every window is closed.
    void quit();

    QWidget *current() const { return current_; }
    // The screens hidden under the current one, nearest last.
    QList<QWidget *> parents() const;
    bool quitting() const { return quitting_; }

    // Windows that open on top of a screen without replacing it (the operation table);
    // they are closed on quit.
    void adoptExtraWindow(QWidget *w);

  signals:
    void screenChanged(QWidget *current);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    bool available(const QString &screen) const;
    void unloadCurrent();
    void unloadAll();
    void unload(QWidget *w);
    void install(QWidget *w);
    QWidget *create(const QString &screen, const MenuChoice &choice);
    void hideParent();

    AppContext &ctx_;
    QPointer<QWidget> current_;
    QList<QPointer<QWidget>> parents_;
    QList<QPointer<QWidget>> extras_;
    bool quitting_ = false;
};

} // namespace app
