#pragma once

#include "app/AppContext.h"
#include "app/RoundTally.h"
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
    // The round's mode: the book and the group.
    QString groupMode() const {
        return QStringLiteral("%1 第%2组").arg(choice_.title).arg(choice_.groupStart / kGroupSize + 1);
    }
    // The review button on a strip's right end, where the word screens leave room.
    void makeReviewButton(QWidget *strip) {
        round_->makeReviewButton(strip, ui::twRect(8460, 30, 2400, 480), 12, app::kEnglishWordList,
                                 [this](const QStringList &items) {
                                     reviewQueue_ = items;
                                     review();
                                 });
    }
    // What the review button does once the words to review are queued.
    virtual void review() {}
    // Moves to the next queued word the chosen book holds, remembering where the group stood;
    // false when none is left. shown: whether the group's word under the cursor was on show.
    bool toReviewed(bool shown = true) {
        while (cursor_ && !reviewQueue_.isEmpty()) {
            const QString wanted = reviewQueue_.takeFirst();
            const std::vector<QStringList> &records = cursor_->records();
            for (std::size_t i = 0; i < records.size(); ++i)
                if (records[i].value(1).trimmed() == wanted) {
                    if (resumeAt_ < 0) {
                        resumeAt_ = cursor_->AbsolutePosition();
                        resumeShown_ = shown;
                    }
                    cursor_->MoveFirst();
                    cursor_->Move(int(i));
                    return true;
                }
        }
        return false;
    }
    // The next queued word while any is left, then the group on from where it stood.
    void stepOnOrReview() {
        if (toReviewed()) return;
        if (resumeAt_ >= 0) {
            cursor_->MoveFirst();
            cursor_->Move(resumeAt_);
            resumeAt_ = -1;
            if (!resumeShown_) return;
        }
        stepOn();
    }

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
    app::RoundTally *round_ = new app::RoundTally(ctx_, this, services::Area::English);
    QStringList reviewQueue_; // words missed before, asked or shown next
    int resumeAt_ = -1;       // where the group stood when the review took over
    bool resumeShown_ = true;
};

} // namespace english
