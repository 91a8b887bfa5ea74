#pragma once

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
    bool titleIsStartCaption;      // bookTitle: the start caption, or the book name alone
    QString wordScreen;            // what start opens
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

  private:
    void chooseGroup(int index);
    void start();

    app::AppContext &ctx_;
    const BookChoiceKind &kind_;
    QListWidget *list1_;
    QLabel *label1_;
    QComboBox *combo1_;
    QLineEdit *text1_;
    ui::FlatButton *button1_;
    std::array<QRadioButton *, 3> option2_{};
};

} // namespace english
