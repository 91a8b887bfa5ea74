#pragma once

#include "english/BookChoice.h"
#include "ui/Widgets.h"

#include <array>

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace app {
class AppContext;
}

namespace english {

// What sets the three book selection screens apart.
struct BookChoiceKind {
    QString screenName;    // "xuexi"
    QString windowCaption; // "Lumibo"
    QString bookPrompt;    // Label1 before a book is chosen
    QString groupPrompt;   // Label5
    QString startCaption;  // Button1 before a book is chosen
    QString startPrefix;   // Button1 after a choice: prefix & book name & suffix
    QString startSuffix;
    bool titleIsStartCaption; // the choice's title: the start caption, or the book name alone
    QString wordScreen;       // what start opens
    QWidget *(*makeWordScreen)(app::AppContext &ctx, const BookChoice &choice); // given the choice
    bool staysWhileWordScreenRuns; // hidden with its choices (a child screen), or closed
    bool choosesPace;              // the recitation's reading paces
};

const BookChoiceKind &studyChoice();
const BookChoiceKind &recitationChoice();
const BookChoiceKind &linkGameChoice();

// The book names the selection screens list: the table names without "A" and the two digits.
QStringList bookNames();

// xuexi / bdcxz / llkxz: a book and a group of it, handed over to the word screen.
class BookChoiceScreen : public ui::Screen {
    Q_OBJECT
  public:
    BookChoiceScreen(app::AppContext &ctx, const BookChoiceKind &kind);

    // The same as a click on List1's row (0-based).
    void chooseBook(int index);
    // What start hands to the word screen.
    const BookChoice &choice() const { return choice_; }

  private:
    void build();
    void wire();
    void load();
    void chooseGroup(int index);
    void start();

    app::AppContext &ctx_;
    const BookChoiceKind &kind_;
    QListWidget *books_;
    QLabel *bookInfo_; // the prompt, then the book's name and word count, or why it cannot be used
    QLabel *fromLabel_, *toLabel_;
    QComboBox *groupFrom_;
    QLineEdit *groupTo_;
    std::array<QRadioButton *, 3> paces_{}; // 慢速, 中速, 快速; the recitation's only
    ui::FlatButton *start_, *back_;
    BookChoice choice_;
};

} // namespace english
