#include "app/ParentCheck.h"

#include "core/Random.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Widgets.h"

#include <QLabel>
#include <QLineEdit>

namespace app {

ParentQuestion ParentQuestion::draw(core::Random &random) {
    ParentQuestion q;
    q.a = random.countFrom(90, 10);
    q.b = random.countFrom(17, 3);
    return q;
}

QString ParentQuestion::text() const {
    return QStringLiteral("%1 × %2 = ?").arg(a).arg(b);
}

bool ParentQuestion::accepts(const QString &answer) const {
    // Full-width digits (an input method's) count as the digits they are.
    QString digits;
    for (QChar c : answer.trimmed())
        digits += c.isDigit() ? QChar(u'0' + c.digitValue()) : c;
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n == a * b;
}

ParentCheck::ParentCheck(core::Random &random, QWidget *parent, std::function<void()> passed)
    : QDialog(parent), random_(random), passed_(std::move(passed)) {
    setObjectName(QStringLiteral("parentCheck"));
    setWindowTitle(QStringLiteral("家长验证"));
    setStyleSheet(ui::dialogLook());
    setFixedSize(ui::twips(5400), ui::twips(2700));

    auto *intro = ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("请家长算一算："), this,
                                ui::twRect(240, 180, 4920, 420), 10.5, QColor(0x1a, 0x23, 0x7e));
    intro->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ask_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(240, 660, 2700, 600), 16,
                         QColor(0xc2, 0x18, 0x5b), true);
    answer_ = new QLineEdit(this);
    answer_->setObjectName(QStringLiteral("Text1"));
    answer_->setGeometry(ui::twRect(3000, 690, 2160, 540));
    answer_->setFont(ui::simSun(14));
    answer_->setMaxLength(6);
    answer_->setAccessibleName(QStringLiteral("答案"));
    refused_ = ui::makeLabel(QStringLiteral("Label3"), QString(), this, ui::twRect(240, 1320, 4920, 420),
                             10.5, QColor(0xd3, 0x2f, 0x2f));
    auto *ok = new ui::FlatButton(QStringLiteral("Command1"), QStringLiteral("确定"), this, 10.5);
    ok->setGeometry(ui::twRect(1080, 1860, 1800, 600));
    auto *cancel = new ui::FlatButton(QStringLiteral("Command2"), QStringLiteral("取消"), this, 10.5);
    cancel->setGeometry(ui::twRect(3120, 1860, 1800, 600));
    connect(ok, &QPushButton::clicked, this, &ParentCheck::answer);
    connect(answer_, &QLineEdit::returnPressed, this, &ParentCheck::answer);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    newQuestion();
}

void ParentCheck::newQuestion() {
    question_ = ParentQuestion::draw(random_);
    ask_->setText(question_.text());
    answer_->clear();
    answer_->setFocus();
}

void ParentCheck::answer() {
    if (!question_.accepts(answer_->text())) {
        refused_->setText(QStringLiteral("答得不对，请再算一道。"));
        newQuestion();
        return;
    }
    const auto passed = passed_;
    accept();
    if (passed) passed();
}

QDialog *ParentCheck::ask(core::Random &random, QWidget *parent, std::function<void()> passed) {
    auto *check = new ParentCheck(random, parent, std::move(passed));
    check->setAttribute(Qt::WA_DeleteOnClose);
    check->setWindowModality(Qt::WindowModal);
    check->open();
    return check;
}

} // namespace app
