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
// per button or from a four-choice placement. The keys 1, 2, ... press the buttons in their
// reading order on screen, exactly as a click would.
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
    void showChoice(const core::FourChoice &choice);

    // The button at a place in reading order, from 1 (rows top to bottom, each left to right).
    FlatButton *buttonAt(int place) const;
    // The number keys: on from the start for up to nine buttons. Off for boards of many buttons
    // and screens that read the keys themselves. They never fire while a text box has the focus:
    // there a digit is typed.
    void setNumberKeys(bool on);
    bool numberKeys() const { return !keys_.empty(); }

  signals:
    void chosen(int k);

  private:
    void press(int place);

    std::vector<FlatButton *> buttons_;
    std::vector<int> order_; // indexes into buttons_, in reading order
    std::vector<QObject *> keys_;
    int first_;
};

} // namespace ui
