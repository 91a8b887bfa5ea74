#pragma once

#include "services/LearningRecord.h"
#include "ui/Widgets.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace ui {
class BarChart;
}

namespace app {

class AppContext;

// 学习记录, the parent's page (behind the parent's check): for the child chosen, the last 7 days
// and the last 4 weeks as minutes by area and accuracy by area, the 20 items missed most, the
// CSV export, clearing the record, the children's names, the daily limit and the review switch.
class RecordPage : public ui::Screen {
    Q_OBJECT
  public:
    explicit RecordPage(AppContext &ctx);

    // Reads the record again (another record may have been put in place).
    void refresh();
    // What asks the parent before something is deleted, and where the CSV goes; tests answer
    // for the parent.
    void setConfirm(std::function<bool(const QString &)> confirm) { confirm_ = std::move(confirm); }
    void setChooseFile(std::function<QString(const QString &suggested)> choose) {
        chooseFile_ = std::move(choose);
    }
    int shownChild() const;

  private:
    void buildWidgets();
    void wire();
    void fillChildren();
    void showChild();
    void say(const QString &text);
    void exportCsv();
    void clearRecord();
    void addChild();
    void renameChild();
    void removeChild();

    AppContext &ctx_;
    QComboBox *child_ = nullptr;
    QLabel *notice_ = nullptr;
    QLabel *legend_ = nullptr;
    ui::BarChart *dayMinutes_ = nullptr;
    ui::BarChart *dayAccuracy_ = nullptr;
    ui::BarChart *weekMinutes_ = nullptr;
    ui::BarChart *weekAccuracy_ = nullptr;
    QTreeWidget *missed_ = nullptr;
    QComboBox *limit_ = nullptr;
    QCheckBox *review_ = nullptr;
    QLineEdit *name_ = nullptr;
    QList<QWidget *> needsRecord_;
    std::function<bool(const QString &)> confirm_;
    std::function<QString(const QString &)> chooseFile_;
};

} // namespace app
