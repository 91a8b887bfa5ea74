#include "app/RecordPage.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "ui/Backdrop.h"
#include "ui/BarChart.h"
#include "ui/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTreeWidget>

namespace app {

namespace {

using services::AreaTotals;
using services::kAreaCount;
using services::Totals;

QColor areaColour(int area) {
    static const QColor colours[kAreaCount] = {QColor(0xef, 0x53, 0x50), QColor(0xff, 0xa7, 0x26),
                                               QColor(0x66, 0xbb, 0x6a), QColor(0xab, 0x47, 0xbc),
                                               QColor(0x42, 0xa5, 0xf5), QColor(0x8d, 0x6e, 0x63)};
    return colours[area];
}

QString childCaption(const services::Child &c) {
    return c.name.isEmpty() ? QStringLiteral("孩子") : c.name;
}

// One bar of minutes stacked by area, labelled with its total when there is any.
ui::BarChart::Bar minutesBar(const QString &caption, const AreaTotals &t) {
    ui::BarChart::Bar bar{caption, {}, {}};
    int seconds = 0;
    for (int a = 0; a < kAreaCount; ++a) {
        bar.segments << ui::BarChart::Segment{t[a].seconds / 60.0, areaColour(a)};
        seconds += t[a].seconds;
    }
    if (seconds > 0) bar.label = QString::number((seconds + 30) / 60);
    return bar;
}

// Each area's accuracy over the totals, "—" for an area not practised.
QList<ui::BarChart::Bar> accuracyBars(const AreaTotals &t) {
    QList<ui::BarChart::Bar> bars;
    for (int a = 0; a < kAreaCount; ++a) {
        const int pct = t[a].accuracy();
        bars << ui::BarChart::Bar{services::areaName(services::Area(a)),
                                  {{double(std::max(pct, 0)), areaColour(a)}},
                                  pct < 0 ? QStringLiteral("—") : QStringLiteral("%1%").arg(pct)};
    }
    return bars;
}

AreaTotals sum(const std::map<QDate, AreaTotals> &days, QDate first, QDate last) {
    AreaTotals total{};
    for (auto it = days.lower_bound(first); it != days.end() && it->first <= last; ++it)
        for (int a = 0; a < kAreaCount; ++a)
            total[a] += it->second[a];
    return total;
}

QLabel *caption(const QString &name, const QString &text, QWidget *parent, const QRect &r) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setFont(ui::simSun(10.5));
    l->setStyleSheet(QStringLiteral("color: #1a237e;"));
    return l;
}

ui::FlatButton *button(const QString &name, const QString &text, QWidget *parent, const QRect &r) {
    auto *b = new ui::FlatButton(name, text, parent, 10.5);
    b->setGeometry(r);
    return b;
}

} // namespace

RecordPage::RecordPage(AppContext &ctx)
    : ui::Screen(screens::kLearningRecord, QStringLiteral("学习记录"), 12000, 8400), ctx_(ctx) {
    confirm_ = [this](const QString &question) {
        return ui::showMessage(this, QMessageBox::Question, QStringLiteral("学习记录"), question,
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    chooseFile_ = [this](const QString &suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出学习记录"), suggested,
                                            QStringLiteral("CSV 表格 (*.csv)"));
    };
    buildWidgets();
    wire();
    refresh();
}

void RecordPage::buildWidgets() {
    new ui::Backdrop(ui::Backdrop::Scene::LightBlue, this);
    auto *title = ui::makeLabel(QStringLiteral("Label1"), QStringLiteral("学习记录"), this,
                                QRect(12, 8, 150, 34), 18, QColor(0xc2, 0x18, 0x5b), true);
    title->setFont(ui::liSu(18, true));
    caption(QStringLiteral("Label2"), QStringLiteral("孩子："), this, QRect(176, 12, 56, 28));
    child_ = new QComboBox(this);
    child_->setObjectName(QStringLiteral("Combo1"));
    child_->setGeometry(232, 12, 150, 28);
    child_->setFont(ui::simSun(10.5));
    child_->setAccessibleName(QStringLiteral("看哪个孩子的记录"));
    auto *back = button(QStringLiteral("Command9"), QStringLiteral("返回"), this, QRect(700, 10, 88, 32));
    connect(back, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });

    notice_ = ui::makeLabel(QStringLiteral("Label9"), QString(), this, QRect(12, 44, 776, 22), 9.5,
                            QColor(0xd3, 0x2f, 0x2f));
    notice_->setWordWrap(false);

    QStringList legend;
    for (int a = 0; a < kAreaCount; ++a)
        legend << QStringLiteral("<span style='color:%1'>■</span> %2")
                      .arg(areaColour(a).name(), services::areaName(services::Area(a)));
    legend_ = caption(QStringLiteral("Label3"), legend.join(QStringLiteral("&nbsp;&nbsp;")), this,
                      QRect(12, 68, 530, 22));
    legend_->setFont(ui::simSun(9.5));
    legend_->setTextFormat(Qt::RichText);

    // Minutes stand upright, accuracy lies on its side out of 100; the week row repeats the day row.
    auto chart = [this](const char *name, const QString &title, Qt::Orientation o, const QRect &place) {
        auto *c = new ui::BarChart(QString::fromLatin1(name), title, o, this);
        c->setGeometry(place);
        if (o == Qt::Horizontal) c->setMaximum(100);
        return c;
    };
    dayMinutes_ = chart("Chart1", QStringLiteral("最近7天 每天学习分钟"), Qt::Vertical, QRect(12, 92, 330, 172));
    dayAccuracy_ = chart("Chart2", QStringLiteral("最近7天 正确率"), Qt::Horizontal, QRect(350, 92, 192, 172));
    weekMinutes_ = chart("Chart3", QStringLiteral("最近4周 每周学习分钟"), Qt::Vertical, QRect(12, 272, 330, 172));
    weekAccuracy_ = chart("Chart4", QStringLiteral("最近4周 正确率"), Qt::Horizontal, QRect(350, 272, 192, 172));

    caption(QStringLiteral("Label4"), QStringLiteral("最常做错的20题"), this, QRect(554, 68, 234, 22));
    missed_ = new QTreeWidget(this);
    missed_->setObjectName(QStringLiteral("List1"));
    missed_->setGeometry(554, 92, 234, 352);
    missed_->setFont(ui::simSun(10));
    missed_->setAccessibleName(QStringLiteral("最常做错的20题"));
    missed_->setRootIsDecorated(false);
    missed_->setColumnCount(2);
    missed_->setHeaderLabels({QStringLiteral("题目"), QStringLiteral("错的次数")});
    missed_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    missed_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    missed_->header()->setStretchLastSection(false);
    missed_->setStyleSheet(
        QStringLiteral("QTreeWidget { background: #ffffff; color: #1a237e; border: 1px solid #90caf9; }"));

    caption(QStringLiteral("Label5"), QStringLiteral("每天时间："), this, QRect(12, 456, 84, 28));
    limit_ = new QComboBox(this);
    limit_->setObjectName(QStringLiteral("Combo2"));
    limit_->setGeometry(96, 456, 110, 28);
    limit_->setFont(ui::simSun(10.5));
    limit_->setAccessibleName(QStringLiteral("每天时间"));
    for (int m : services::LearningRecord::kLimits)
        limit_->addItem(m == 0 ? QStringLiteral("不限") : QStringLiteral("%1分钟").arg(m), m);
    review_ = new QCheckBox(QStringLiteral("错题复习"), this);
    review_->setObjectName(QStringLiteral("Check1"));
    review_->setGeometry(226, 456, 120, 28);
    review_->setFont(ui::simSun(10.5));
    review_->setToolTip(QStringLiteral("打开后，单词、拼音、认字等游戏会先让孩子复习做错的题"));
    review_->setStyleSheet(QStringLiteral("color: #1a237e;"));
    auto *exportButton =
        button(QStringLiteral("Command1"), QStringLiteral("导出CSV"), this, QRect(554, 454, 112, 32));
    auto *clearButton =
        button(QStringLiteral("Command2"), QStringLiteral("清除记录"), this, QRect(676, 454, 112, 32));
    connect(exportButton, &QPushButton::clicked, this, &RecordPage::exportCsv);
    connect(clearButton, &QPushButton::clicked, this, &RecordPage::clearRecord);

    caption(QStringLiteral("Label6"), QStringLiteral("孩子名字："), this, QRect(12, 504, 84, 28));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("Text1"));
    name_->setGeometry(96, 504, 150, 28);
    name_->setFont(ui::simSun(10.5));
    name_->setMaxLength(8);
    name_->setPlaceholderText(QStringLiteral("输入名字"));
    name_->setAccessibleName(QStringLiteral("孩子名字"));
    auto *add = button(QStringLiteral("Command3"), QStringLiteral("添加"), this, QRect(256, 502, 80, 32));
    auto *rename = button(QStringLiteral("Command4"), QStringLiteral("改名"), this, QRect(344, 502, 80, 32));
    auto *remove = button(QStringLiteral("Command6"), QStringLiteral("删除"), this, QRect(432, 502, 80, 32));
    connect(add, &QPushButton::clicked, this, &RecordPage::addChild);
    connect(rename, &QPushButton::clicked, this, &RecordPage::renameChild);
    connect(remove, &QPushButton::clicked, this, &RecordPage::removeChild);
    needsRecord_ = {child_, limit_, review_, exportButton, clearButton, name_, add, rename, remove};
}

void RecordPage::wire() {
    connect(child_, &QComboBox::activated, this, &RecordPage::showChild);
    connect(limit_, &QComboBox::activated, this, [this] {
        if (auto *record = ctx_.learningRecord())
            if (!record->setDailyLimitMinutes(limit_->currentData().toInt())) say(record->lastError());
    });
    connect(review_, &QCheckBox::clicked, this, [this](bool on) {
        if (auto *record = ctx_.learningRecord())
            if (!record->setReviewOffered(on)) say(record->lastError());
    });
}

void RecordPage::say(const QString &text) {
    notice_->setText(text);
    notice_->setToolTip(text);
}

int RecordPage::shownChild() const {
    return child_->currentData().toInt();
}

void RecordPage::refresh() {
    services::LearningRecord *record = ctx_.learningRecord();
    for (QWidget *w : needsRecord_)
        w->setEnabled(record != nullptr);
    if (!record) {
        say(QStringLiteral("这次运行没有打开学习记录。"));
        child_->clear();
        showChild();
        return;
    }
    limit_->setCurrentIndex(std::max(0, limit_->findData(record->dailyLimitMinutes())));
    review_->setChecked(record->reviewOffered());
    fillChildren();
    showChild();
}

void RecordPage::fillChildren() {
    services::LearningRecord *record = ctx_.learningRecord();
    const int shown = child_->count() ? shownChild() : record->currentChild().id;
    child_->clear();
    for (const services::Child &c : record->children())
        child_->addItem(childCaption(c), c.id);
    child_->setCurrentIndex(std::max(0, child_->findData(shown)));
}

void RecordPage::showChild() {
    services::LearningRecord *record = ctx_.learningRecord();
    const QDate today = record ? record->now().date() : QDate::currentDate();
    const QDate first = today.addDays(-27);
    const std::map<QDate, AreaTotals> days =
        record ? record->totalsByDay(shownChild(), first, today) : std::map<QDate, AreaTotals>{};

    QList<ui::BarChart::Bar> dayBars;
    for (int i = 6; i >= 0; --i) {
        const QDate d = today.addDays(-i);
        const auto it = days.find(d);
        dayBars << minutesBar(i == 0 ? QStringLiteral("今天") : d.toString(QStringLiteral("M/d")),
                              it == days.end() ? AreaTotals{} : it->second);
    }
    dayMinutes_->setBars(dayBars);
    dayAccuracy_->setBars(accuracyBars(sum(days, today.addDays(-6), today)));

    QList<ui::BarChart::Bar> weekBars;
    for (int w = 3; w >= 0; --w) {
        const QDate last = today.addDays(-7 * w);
        const QDate start = last.addDays(-6);
        weekBars << minutesBar(w == 0 ? QStringLiteral("本周")
                                      : start.toString(QStringLiteral("M/d")) + QStringLiteral("起"),
                               sum(days, start, last));
    }
    weekMinutes_->setBars(weekBars);
    weekAccuracy_->setBars(accuracyBars(sum(days, first, today)));

    missed_->clear();
    if (record)
        for (const services::MissCount &m : record->mostMissed(shownChild(), 20)) {
            auto *item = new QTreeWidgetItem(missed_, {m.item, QString::number(m.count)});
            item->setTextAlignment(1, Qt::AlignCenter);
            item->setToolTip(0, m.list);
        }
    if (!record) return;
    if (!record->notice().isEmpty())
        say(record->notice());
    else if (!QFile::exists(record->path()))
        say(QStringLiteral("还没有学习记录：孩子做完第一轮练习，这里就有了。"));
    else
        say(QString());
}

void RecordPage::exportCsv() {
    services::LearningRecord *record = ctx_.learningRecord();
    const QString name = child_->currentText();
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("学习记录-%1-%2.csv")
                          .arg(name, record->now().date().toString(QStringLiteral("yyyyMMdd"))));
    const QString path = chooseFile_(suggested);
    if (path.isEmpty()) return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(record->csv(shownChild())) < 0 || !file.commit()) {
        say(QStringLiteral("导出失败：%1（%2）").arg(file.errorString(), QDir::toNativeSeparators(path)));
        return;
    }
    say(QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(path)));
}

void RecordPage::clearRecord() {
    services::LearningRecord *record = ctx_.learningRecord();
    if (!confirm_(QStringLiteral("清除“%1”的全部学习记录吗？清除后不能恢复。").arg(child_->currentText())))
        return;
    if (!record->clear(shownChild())) {
        say(record->notice());
        return;
    }
    showChild();
    say(QStringLiteral("“%1”的学习记录已清除。").arg(child_->currentText()));
}

void RecordPage::addChild() {
    services::LearningRecord *record = ctx_.learningRecord();
    const QString n = name_->text().trimmed();
    if (!record->addChild(n)) {
        say(record->lastError());
        return;
    }
    name_->clear();
    fillChildren();
    child_->setCurrentIndex(std::max(0, child_->findText(n)));
    showChild();
}

void RecordPage::renameChild() {
    services::LearningRecord *record = ctx_.learningRecord();
    if (!record->renameChild(shownChild(), name_->text())) {
        say(record->lastError());
        return;
    }
    name_->clear();
    fillChildren();
    showChild();
}

void RecordPage::removeChild() {
    services::LearningRecord *record = ctx_.learningRecord();
    if (!confirm_(
            QStringLiteral("删除“%1”和他的全部学习记录吗？删除后不能恢复。").arg(child_->currentText())))
        return;
    if (!record->removeChild(shownChild())) {
        say(record->lastError());
        return;
    }
    child_->clear();
    fillChildren();
    showChild();
}

} // namespace app
