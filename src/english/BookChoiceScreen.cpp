#include "english/BookChoiceScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "english/LinkGameScreen.h"
#include "english/RecitationScreen.h"
#include "english/WordGroups.h"
#include "english/WordStudyScreen.h"
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

namespace {
template <class Screen> QWidget *make(app::AppContext &ctx, const BookChoice &choice) {
    return new Screen(ctx, choice);
}
} // namespace

const BookChoiceKind &studyChoice() {
    static const BookChoiceKind k{.screenName = screens::kWordStudyChoice,
                                  .windowCaption = QStringLiteral("Lumibo"),
                                  .bookPrompt = QStringLiteral("请先选择学习词库"),
                                  .groupPrompt = QStringLiteral("请选择学习组："),
                                  .startCaption = QStringLiteral("开始学习"),
                                  .startPrefix = QStringLiteral("学习"),
                                  .startSuffix = QString(),
                                  .titleIsStartCaption = true,
                                  .wordScreen = screens::kWordStudy,
                                  .makeWordScreen = make<WordStudyScreen>,
                                  .staysWhileWordScreenRuns = false,
                                  .choosesPace = false};
    return k;
}

const BookChoiceKind &recitationChoice() {
    static const BookChoiceKind k{.screenName = screens::kRecitationChoice,
                                  .windowCaption = QStringLiteral("选择背单词词库"),
                                  .bookPrompt = QStringLiteral("请先选择背诵词库"),
                                  .groupPrompt = QStringLiteral("请选择学习组："),
                                  .startCaption = QStringLiteral("开始学习"),
                                  .startPrefix = QStringLiteral("背诵"),
                                  .startSuffix = QString(),
                                  .titleIsStartCaption = true,
                                  .wordScreen = screens::kRecitation,
                                  .makeWordScreen = make<RecitationScreen>,
                                  .staysWhileWordScreenRuns = true,
                                  .choosesPace = true};
    return k;
}

const BookChoiceKind &linkGameChoice() {
    static const BookChoiceKind k{.screenName = screens::kLinkGameChoice,
                                  .windowCaption = QStringLiteral("连连看游戏"),
                                  .bookPrompt = QStringLiteral("请先选择游戏词库"),
                                  .groupPrompt = QStringLiteral("请选择游戏组："),
                                  .startCaption = QStringLiteral("开始游戏"),
                                  .startPrefix = QString(),
                                  .startSuffix = QStringLiteral("游戏"),
                                  .titleIsStartCaption = false,
                                  .wordScreen = screens::kLinkGame,
                                  .makeWordScreen = make<LinkGameScreen>,
                                  .staysWhileWordScreenRuns = true,
                                  .choosesPace = false};
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
    build();
    wire();
    load();
}

void BookChoiceScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture2"));

    books_ = new QListWidget(this);
    books_->setObjectName(QStringLiteral("List1"));
    books_->setGeometry(ui::twRect(360, 360, 4200, 6480));
    books_->setFont(ui::simSun(12));

    auto *picture3 = ui::makePanel(QStringLiteral("Picture3"), this, ui::twRect(4800, 360, 5640, 6480),
                                   QColor(255, 248, 225));
    bookInfo_ = ui::makeLabel(QStringLiteral("Label1"), kind_.bookPrompt, picture3,
                              ui::twRect(180, 240, 5280, 900), 13, kRed, true);
    bookInfo_->setWordWrap(true);
    ui::makeLabel(QStringLiteral("Label5"), kind_.groupPrompt, picture3, ui::twRect(180, 1320, 5280, 420), 12,
                  kBlue);
    fromLabel_ = ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("从"), picture3,
                               ui::twRect(180, 1920, 420, 420), 12, kBlue);
    groupFrom_ = new QComboBox(picture3);
    groupFrom_->setObjectName(QStringLiteral("Combo1"));
    groupFrom_->setGeometry(ui::twRect(600, 1860, 1800, 480));
    groupFrom_->setFont(ui::simSun(12));
    toLabel_ = ui::makeLabel(QStringLiteral("Label3"), QStringLiteral("到"), picture3,
                             ui::twRect(2580, 1920, 420, 420), 12, kBlue);
    groupTo_ = new QLineEdit(picture3);
    groupTo_->setObjectName(QStringLiteral("Text1"));
    groupTo_->setGeometry(ui::twRect(3000, 1860, 1800, 480));
    groupTo_->setFont(ui::simSun(12));
    groupTo_->setReadOnly(true);

    if (kind_.choosesPace) {
        ui::makeLabel(QStringLiteral("Label4"), QStringLiteral("请选择朗读速度："), picture3,
                      ui::twRect(180, 2700, 5280, 420), 12, kBlue);
        const QString names[3] = {QStringLiteral("慢速"), QStringLiteral("中速"), QStringLiteral("快速")};
        for (int i = 0; i < 3; ++i) {
            paces_[std::size_t(i)] = new QRadioButton(names[i], picture3);
            paces_[std::size_t(i)]->setObjectName(QStringLiteral("Option2(%1)").arg(i));
            paces_[std::size_t(i)]->setGeometry(ui::twRect(360 + i * 1680, 3180, 1560, 420));
            paces_[std::size_t(i)]->setFont(ui::simSun(12));
        }
    }

    start_ = new ui::FlatButton(QStringLiteral("Button1"), kind_.startCaption, picture3, 14);
    start_->setGeometry(ui::twRect(360, 4380, 4920, 780));
    back_ = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("返回"), picture3, 14);
    back_->setGeometry(ui::twRect(360, 5400, 4920, 780));
}

void BookChoiceScreen::wire() {
    if (kind_.choosesPace) {
        auto *group = new QButtonGroup(this);
        for (int i = 0; i < 3; ++i)
            group->addButton(paces_[std::size_t(i)], i);
        connect(group, &QButtonGroup::idToggled, this, [this](int i, bool on) {
            if (on) choice_.readingPace = i;
        });
    }
    // A book is chosen by selecting it: the list only marks a current row when it takes the focus.
    connect(books_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> chosen = books_->selectedItems();
        if (!chosen.isEmpty()) chooseBook(books_->row(chosen.first()));
    });
    connect(groupFrom_, &QComboBox::currentIndexChanged, this, &BookChoiceScreen::chooseGroup);
    connect(start_, &QPushButton::clicked, this, &BookChoiceScreen::start);
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back_);
    books_->setAccessibleName(QStringLiteral("词库"));
    fromLabel_->setBuddy(groupFrom_);
    toLabel_->setBuddy(groupTo_);
    groupFrom_->setAccessibleName(QStringLiteral("从第几个单词"));
    groupTo_->setAccessibleName(QStringLiteral("到第几个单词"));
}

void BookChoiceScreen::load() {
    {
        const QSignalBlocker quiet(books_);
        books_->addItems(bookNames());
        books_->setCurrentRow(-1);
    }
    start_->setEnabled(false);
    groupFrom_->setEnabled(false);
    if (kind_.choosesPace) paces_[0]->setChecked(true);
}

void BookChoiceScreen::chooseBook(int index) {
    if (index < 0 || index >= services::kEnglishBooks) return;
    const QString name = bookNames()[index];
    const QString caption = kind_.startPrefix + name + kind_.startSuffix;
    start_->setCaption(caption);
    choice_.title = kind_.titleIsStartCaption ? caption : name;
    choice_.book = index + 1;
    start_->setEnabled(false);
    groupTo_->clear();
    {
        const QSignalBlocker quiet(groupFrom_);
        groupFrom_->clear();
    }
    services::TableCursor *cursor = ctx_.store().Data(choice_.book);
    // No book, or one without words: say why, offer no group.
    if (const QString why = ctx_.store().contentProblemFor(choice_.book); !cursor || !why.isEmpty()) {
        bookInfo_->setText(why);
        groupFrom_->setEnabled(false);
        return;
    }
    cursor->MoveLast();
    const int wordCount = cursor->RecordCount();
    bookInfo_->setText(name + QStringLiteral("    词汇量:") + QString::number(wordCount));
    groupFrom_->setEnabled(true);
    groupFrom_->addItems(groupStarts(wordCount)); // selects item 0, which chooses that group
}

void BookChoiceScreen::chooseGroup(int index) {
    if (index < 0) return;
    choice_.groupStart = groupFrom_->itemText(index).toInt();
    groupTo_->setText(QString::number((index + 1) * kGroupSize));
    start_->setEnabled(true);
}

void BookChoiceScreen::start() {
    // By value: opening the study screen unloads this one.
    const auto make = [makeScreen = kind_.makeWordScreen, choice = choice_](app::AppContext &ctx) {
        return makeScreen(ctx, choice);
    };
    if (kind_.staysWhileWordScreenRuns)
        ctx_.navigator().openChild(kind_.wordScreen, make);
    else
        ctx_.navigator().open(kind_.wordScreen, make);
}

} // namespace english
