#pragma once

#include <QCheckBox>
#include <QSettings>
#include <memory>

namespace ui {

// Where the program keeps the few choices that last from one run to the next: the user's
// Lumibo/Lumibo.conf, or <organisation>/Lumibo.conf when the process names an organisation of
// its own (tests and the gallery do, in Qt's test mode, so they never touch the user's file).
std::unique_ptr<QSettings> openSettings();

// "标声调": the check box the screens that show pinyin share. Ticked, their pinyin carries tone
// marks; it starts unticked, so a screen first looks as it always has, and the choice is
// remembered across runs, for every such screen at once.
class ToneMarksBox : public QCheckBox {
    Q_OBJECT
  public:
    ToneMarksBox(QWidget *parent, double pointSize);

    // The remembered choice (false when none has been made).
    static bool remembered();
};

} // namespace ui
