#pragma once

#include <QMessageBox>
#include <QPixmap>
#include <QWidget>

class QApplication;

namespace ui {

// The full-window background picture of a screen, drawn by us at first paint and cached.
class Backdrop : public QWidget {
    Q_OBJECT
  public:
    enum class Scene {
        Meadow,   // main window: a sunny meadow with a colour strip down the left edge
        Sky,      // drill screens: soft sky with clouds
        LightBlue // plain light-blue picture box
    };
    Backdrop(Scene scene, QWidget *parent, const QString &name = QStringLiteral("Picture1"));

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    Scene scene_;
    QPixmap cache_;
};

// Paints a scene into a rectangle; used by Backdrop and by tests.
void paintScene(QPainter &p, const QRect &r, Backdrop::Scene scene);

// The program's look: button and tile colours for a child's eye, one style sheet.
void applyLook(QApplication &app);

// The style sheet of a dialog's buttons, in the look of the flat buttons.
QString dialogLook();
// A message box in that look, not yet shown; it deletes itself when closed.
QMessageBox *makeMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
// Such a box, shown until it is answered; returns the button pressed.
int showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
// Shows box until it is answered; returns the button pressed.
int showMessage(QMessageBox *box);

} // namespace ui
