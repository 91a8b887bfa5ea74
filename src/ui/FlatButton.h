#pragma once

#include <QColor>
#include <QPushButton>

namespace ui {

// The colours of our buttons in each state. The flat buttons paint with them, and message boxes'
// buttons are dressed in them too (dialogLook).
namespace buttonColour {
inline const QColor kFace{0xff, 0xf8, 0xe1}, kHover{0xff, 0xf3, 0xc4}, kPressed{0xff, 0xe0, 0x82};
inline const QColor kText{0x1a, 0x23, 0x7e}, kBorder{0x90, 0xca, 0xf9};
inline const QColor kOffFace{0xf1, 0xf1, 0xf1}, kOffText{0x9e, 0x9e, 0x9e}, kOffBorder{0xd0, 0xd0, 0xd0};
inline const QColor kTileFace{0xff, 0xff, 0xff}, kTileText{0x0d, 0x47, 0xa1}, kTileBorder{0x64, 0xb5, 0xf6};
} // namespace buttonColour

// A flat push button. As a display tile it is simply disabled: the caption is what it shows.
// Its caption keeps its given point size and shrinks only when the text would not fit,
// so a three-digit answer stays whole on its button. Space and Enter press it. A screen reader
// reads its caption.
class FlatButton : public QPushButton {
    Q_OBJECT
  public:
    FlatButton(const QString &name, const QString &caption, QWidget *parent, double pointSize,
               bool tile = false);
    void setCaption(const QString &text);
    QString caption() const { return text(); }
    // What a screen reader says for the button while its caption is blank (an answer button
    // between questions, an empty slot); a caption is always read as it is.
    void setBlankName(const QString &name);

  protected:
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

  private:
    static constexpr int kBorder = 2;
    static constexpr int kRadius = 10;
    void fitFont();
    void nameForReader();
    double basePointSize_;
    QString blankName_;
};

// The font at its given size, or smaller until the text fits the room (pixel-sized fonts).
QFont fittedFont(QFont font, const QString &text, const QSize &room);

} // namespace ui
