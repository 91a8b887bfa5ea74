#include "ui/ToneMarksBox.h"

#include "ui/Fonts.h"

#include <QCoreApplication>

namespace ui {

namespace {
const QString kKey = QStringLiteral("pinyin/toneMarks");
}

std::unique_ptr<QSettings> openSettings() {
    const QString organisation = QCoreApplication::organizationName();
    return std::make_unique<QSettings>(organisation.isEmpty() ? QStringLiteral("Lumibo") : organisation,
                                       QStringLiteral("Lumibo"));
}

bool ToneMarksBox::remembered() {
    return openSettings()->value(kKey, false).toBool();
}

ToneMarksBox::ToneMarksBox(QWidget *parent, double pointSize) : QCheckBox(QStringLiteral("标声调"), parent) {
    setObjectName(QStringLiteral("Check1"));
    setFont(simSun(pointSize));
    setChecked(remembered());
    // Only a change the user makes is written; reading the choice at start writes nothing.
    connect(this, &QCheckBox::toggled, this, [](bool on) { openSettings()->setValue(kKey, on); });
}

} // namespace ui
