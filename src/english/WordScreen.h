#pragma once

#include "app/AppContext.h"
#include "english/BookChoice.h"
#include "english/WordGroups.h"
#include "ui/Fonts.h"
#include "ui/Widgets.h"

#include <QHideEvent>
#include <QRadioButton>
#include <array>

namespace english {

// A screen that speaks English words. However it is left (its own button, the clock, the window
// frame, the program's end), the word being said stops with it. It is given the book and group
// chosen on its selection screen when it is made.
class WordScreen : public ui::Screen {
  public:
    WordScreen(app::AppContext &ctx, const BookChoice &choice, const QString &name, const QString &caption,
               int widthTw, int heightTw)
        : ui::Screen(name, caption, widthTw, heightTw), ctx_(ctx), choice_(choice) {}

    const BookChoice &choice() const { return choice_; }
    // The choice of a selection screen, given to a word screen already made (the gallery's).
    void handOver(const BookChoice &choice) {
        choice_ = choice;
        showChoice();
    }
    // The word on show, for the repeat buttons; empty until this screen shows one.
    const QString &spokenWord() const { return spokenWord_; }

  protected:
    // Shows what the choice decides: the heading, and the recitation's pace.
    virtual void showChoice() = 0;

    // The tile across the top that names the book.
    ui::FlatButton *titleTile() {
        auto *b = new ui::FlatButton(QStringLiteral("Button5"), QString(), this, 20, true);
        b->setGeometry(ui::twRect(1800, 180, 8400, 720));
        return b;
    }

    // One of the row of control buttons along the bottom of the word screens.
    ui::FlatButton *bottomButton(const char *name, const QString &caption, int leftTw) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, this, 15);
        b->setGeometry(ui::twRect(leftTw, 7980, 2580, 780));
        return b;
    }

    // "朗读" and "不朗读" side by side on a panel: whether each word is spoken.
    static std::array<QRadioButton *, 2> readAloudOptions(QWidget *panel) {
        const QString captions[2] = {QStringLiteral("朗读"), QStringLiteral("不朗读")};
        std::array<QRadioButton *, 2> options{};
        for (int i = 0; i < 2; ++i) {
            options[std::size_t(i)] = new QRadioButton(captions[i], panel);
            options[std::size_t(i)]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
            options[std::size_t(i)]->setGeometry(ui::twRect(240 + i * 1560, 60, 1440, 420));
            options[std::size_t(i)]->setFont(ui::simSun(12));
        }
        return options;
    }

    // Opens the chosen book at the chosen group: its cursor, its word count and the group's first
    // word. Without the book's table, its problem goes on the message tile and "next" is off.
    bool openChosenBook(ui::FlatButton *messageTile, ui::FlatButton *next) {
        cursor_ = ctx_.store().Data(choice_.book);
        if (!cursor_) {
            messageTile->setCaption(ctx_.store().problemFor(choice_.book));
            next->setEnabled(false);
            return false;
        }
        cursor_->MoveLast();
        wordCount_ = cursor_->RecordCount();
        toGroupStart(*cursor_, choice_.groupStart, groupCounter_);
        return true;
    }
    // One word on in the group, round to its first after its last.
    void stepOn() { stepInGroup(*cursor_, choice_.groupStart, groupCounter_); }

    void hideEvent(QHideEvent *e) override {
        ui::Screen::hideEvent(e);
        // A minimised window keeps talking; only a screen put away falls silent.
        if (!e->spontaneous()) ctx_.voice().stop();
    }

    app::AppContext &ctx_;
    BookChoice choice_;
    services::TableCursor *cursor_ = nullptr; // the chosen book's, owned by the store
    int wordCount_ = 0;                       // the chosen book's
    int groupCounter_ = 0;                    // steps moved since the group's first record
    QString spokenWord_;
};

} // namespace english
