#include "english/BookChoiceScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "english/WordGroups.h"
#include "services/ContentSchema.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace english {

const BookChoiceKind &studyChoice() {
    static const BookChoiceKind k{screens::kWordStudyChoice,
                                  QStringLiteral("Lumibo"),
                                  QStringLiteral("请先选择学习词库"),
                                  QStringLiteral("请选择学习组："),
                                  QStringLiteral("开始学习"),
                                  QStringLiteral("学习"),
                                  QString(),
                                  true,
                                  screens::kWordStudy,
                                  false,
                                  false};
    return k;
}

const BookChoiceKind &recitationChoice() {
    static const BookChoiceKind k{screens::kRecitationChoice,
                                  QStringLiteral("选择背单词词库"),
                                  QStringLiteral("请先选择背诵词库"),
                                  QStringLiteral("请选择学习组："),
                                  QStringLiteral("开始学习"),
                                  QStringLiteral("背诵"),
                                  QString(),
                                  true,
                                  screens::kRecitation,
                                  true,
                                  true};
    return k;
}

const BookChoiceKind &linkGameChoice() {
    static const BookChoiceKind k{screens::kLinkGameChoice,
                                  QStringLiteral("连连看游戏"),
                                  QStringLiteral("请先选择游戏词库"),
                                  QStringLiteral("请选择游戏组："),
                                  QStringLiteral("开始游戏"),
                                  QString(),
                                  QStringLiteral("游戏"),
                                  false,
                                  screens::kLinkGame,
                                  true,
                                  false};
    return k;
}

QStringList bookNames() {
    QStringList out;
    for (int b = 0; b < services::kEnglishBooks; ++b)
        out << services::contentTables()[std::size_t(b)].name.mid(3);
    return out;
}

namespace {
const QColor kBlue(0, 0, 200);
const QColor kRed(200, 0, 0);
} // namespace

BookChoiceScreen::BookChoiceScreen(app::AppContext &ctx, const BookChoiceKind &kind)
    : ui::Screen(kind.screenName, kind.windowCaption, 10800, 7200), ctx_(ctx), kind_(kind) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture2"));

    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setGeometry(ui::twRect(360, 360, 4200, 6480));
    list1_->setFont(ui::simSun(12));

    auto *picture3 = ui::makePanel(QStringLiteral("Picture3"), this, ui::twRect(4800, 360, 5640, 6480),
                                   QColor(255, 248, 225));
    label1_ = ui::makeLabel(QStringLiteral("Label1"), kind.bookPrompt, picture3,
                            ui::twRect(180, 240, 5280, 900), 13, kRed, true);
    label1_->setWordWrap(true);
    ui::makeLabel(QStringLiteral("Label5"), kind.groupPrompt, picture3, ui::twRect(180, 1320, 5280, 420), 12,
                  kBlue);
    auto *from = ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("从"), picture3,
                               ui::twRect(180, 1920, 420, 420), 12, kBlue);
    combo1_ = new QComboBox(picture3);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setGeometry(ui::twRect(600, 1860, 1800, 480));
    combo1_->setFont(ui::simSun(12));
    auto *to = ui::makeLabel(QStringLiteral("Label3"), QStringLiteral("到"), picture3,
                             ui::twRect(2580, 1920, 420, 420), 12, kBlue);
    text1_ = new QLineEdit(picture3);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(ui::twRect(3000, 1860, 1800, 480));
    text1_->setFont(ui::simSun(12));
    text1_->setReadOnly(true);

    if (kind.choosesPace) {
        ui::makeLabel(QStringLiteral("Label4"), QStringLiteral("请选择朗读速度："), picture3,
                      ui::twRect(180, 2700, 5280, 420), 12, kBlue);
        auto *group = new QButtonGroup(this);
        const QString names[3] = {QStringLiteral("慢速"), QStringLiteral("中速"), QStringLiteral("快速")};
        for (int i = 0; i < 3; ++i) {
            option2_[std::size_t(i)] = new QRadioButton(names[i], picture3);
            option2_[std::size_t(i)]->setObjectName(QStringLiteral("Option2(%1)").arg(i));
            option2_[std::size_t(i)]->setGeometry(ui::twRect(360 + i * 1680, 3180, 1560, 420));
            option2_[std::size_t(i)]->setFont(ui::simSun(12));
            group->addButton(option2_[std::size_t(i)], i);
        }
        connect(group, &QButtonGroup::idToggled, this, [this](int i, bool on) {
            if (!on) return;
            ctx_.globals.readingPace = i;
            ctx_.globals.paceStep = pace(i).step;
        });
    }

    button1_ = new ui::FlatButton(QStringLiteral("Button1"), kind.startCaption, picture3, 14);
    button1_->setGeometry(ui::twRect(360, 4380, 4920, 780));
    auto *back = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("返回"), picture3, 14);
    back->setGeometry(ui::twRect(360, 5400, 4920, 780));

    // A book is chosen by selecting it: the list only marks a current row when it takes the focus.
    connect(list1_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> chosen = list1_->selectedItems();
        if (!chosen.isEmpty()) chooseBook(list1_->row(chosen.first()));
    });
    connect(combo1_, &QComboBox::currentIndexChanged, this, &BookChoiceScreen::chooseGroup);
    connect(button1_, &QPushButton::clicked, this, &BookChoiceScreen::start);
    connect(back, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back);
    list1_->setAccessibleName(QStringLiteral("词库"));
    from->setBuddy(combo1_);
    to->setBuddy(text1_);
    combo1_->setAccessibleName(QStringLiteral("从第几个单词"));
    text1_->setAccessibleName(QStringLiteral("到第几个单词"));

    // Load.
    {
        const QSignalBlocker quiet(list1_);
        list1_->addItems(bookNames());
        list1_->setCurrentRow(-1);
    }
    button1_->setEnabled(false);
    combo1_->setEnabled(false);
    if (kind.choosesPace) option2_[0]->setChecked(true);
}

void BookChoiceScreen::chooseBook(int index) {
    if (index < 0 || index >= services::kEnglishBooks) return;
    const QString name = bookNames()[index];
    const QString caption = kind_.startPrefix + name + kind_.startSuffix;
    button1_->setCaption(caption);
    core::Globals &g = ctx_.globals;
    g.bookTitle = kind_.titleIsStartCaption ? caption : name;
    g.bookNumber = index + 1;
    button1_->setEnabled(false);
    text1_->clear();
    {
        const QSignalBlocker quiet(combo1_);
        combo1_->clear();
    }
    g.bookCursor = ctx_.store().Data(g.bookNumber);
    // No book, or one without words: say why, offer no group.
    if (const QString why = ctx_.store().contentProblemFor(g.bookNumber); !g.bookCursor || !why.isEmpty()) {
        label1_->setText(why);
        combo1_->setEnabled(false);
        return;
    }
    g.bookCursor->MoveLast();
    g.bookWordCount = g.bookCursor->RecordCount();
    label1_->setText(name + QStringLiteral("    词汇量:") + QString::number(g.bookWordCount));
    combo1_->setEnabled(true);
    combo1_->addItems(groupStarts(g.bookWordCount)); // selects item 0, which chooses that group
}

void BookChoiceScreen::chooseGroup(int index) {
    if (index < 0) return;
    ctx_.globals.groupStart = combo1_->itemText(index).toInt();
    text1_->setText(QString::number((index + 1) * kGroupSize));
    button1_->setEnabled(true);
}

void BookChoiceScreen::start() {
    if (kind_.staysWhileWordScreenRuns)
        ctx_.navigator().openChild(kind_.wordScreen);
    else
        ctx_.navigator().open(kind_.wordScreen);
}

} // namespace english
