#pragma once

#include "ui/Widgets.h"

#include <QObject>
#include <QRect>
#include <array>
#include <vector>

namespace core {
struct FourChoice;
}

namespace ui {

// A screen's answer buttons: flat buttons named "<base>(k)" for k = first.., placed where the
// screen says, each click reported as chosen(k). Captions, enabled state and visibility are set
// per button or from a four-choice placement.
class AnswerButtons : public QObject {
    Q_OBJECT
  public:
    // Places are in pixels, relative to parent; button k sits at places[k - first].
    AnswerButtons(QWidget *parent, const QString &base, const std::vector<QRect> &places, double pointSize,
                  int first = 1);

    int count() const { return static_cast<int>(buttons_.size()); }
    FlatButton *button(int k) const;

    void setCaption(int k, const QString &text);
    QString caption(int k) const;
    void setEnabled(int k, bool on);
    void setAllEnabled(bool on);
    void clearCaptions();
    // Captions from a placement; the buttons it filled are enabled, the others left empty and
    // disabled.
    void show(const core::FourChoice &choice);

  signals:
    void chosen(int k);

  private:
    std::vector<FlatButton *> buttons_;
    int first_;
};

} // namespace ui
