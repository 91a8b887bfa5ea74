#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

namespace ui {

// A small bar chart painted by itself: a title, then one bar per entry, each made of coloured
// segments stacked end to end, with its caption beside or below it and its label at its end.
// Upright bars stand on their captions; lying bars start after them.
class BarChart : public QWidget {
    Q_OBJECT
  public:
    struct Segment {
        double value = 0;
        QColor colour;
    };
    struct Bar {
        QString caption;
        QList<Segment> segments;
        QString label; // at the bar's end ("12", "85%"); empty for none
        double total() const;
    };

    BarChart(const QString &name, const QString &title, Qt::Orientation orientation, QWidget *parent);
    void setBars(const QList<Bar> &bars);
    // The value a full bar stands for; 0 scales to the longest bar.
    void setMaximum(double maximum);
    const QList<Bar> &bars() const { return bars_; }
    QString title() const { return title_; }

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    QString title_;
    Qt::Orientation orientation_;
    QList<Bar> bars_;
    double maximum_ = 0;
};

} // namespace ui
