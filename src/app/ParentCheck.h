#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;

namespace core {
class Random;
}

namespace app {

// The parent's check: a two-digit number times a one- or two-digit one, which a parent works
// out in a moment and a four-year-old cannot.
struct ParentQuestion {
    int a = 0; // 10 .. 99
    int b = 0; // 3 .. 19
    static ParentQuestion draw(core::Random &random);
    QString text() const;
    // The answer as typed (surrounding spaces and full-width digits are fine).
    bool accepts(const QString &answer) const;
};

// The check as a small window over parent: "Label1" asks, "Text1" takes the answer, "Command1"
// answers, "Command2" gives up. A wrong answer is refused with a new question; the right one
// closes the window and runs passed. It never blocks: the caller goes on at once.
class ParentCheck : public QDialog {
    Q_OBJECT
  public:
    ParentCheck(core::Random &random, QWidget *parent, std::function<void()> passed);
    const ParentQuestion &question() const { return question_; }

    static QDialog *ask(core::Random &random, QWidget *parent, std::function<void()> passed);

  private:
    void answer();
    void newQuestion();

    core::Random &random_;
    std::function<void()> passed_;
    ParentQuestion question_;
    QLabel *ask_ = nullptr;
    QLabel *refused_ = nullptr;
    QLineEdit *answer_ = nullptr;
};

} // namespace app
