#pragma once

// Small helpers the screen tests share: find a control by its design name, read captions,
// and let deleted windows go.
#include "app/AppContext.h"
#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace testing_support {

inline QPushButton *button(QWidget *screen, const QString &name) {
    auto *b = screen->findChild<QPushButton *>(name);
    if (!b) qWarning("no button %s", qPrintable(name));
    return b;
}

inline QString caption(QWidget *screen, const QString &name) {
    if (auto *b = screen->findChild<QPushButton *>(name)) return b->text();
    if (auto *l = screen->findChild<QLabel *>(name)) return l->text();
    return QStringLiteral("<no control %1>").arg(name);
}

inline void click(QWidget *screen, const QString &name) {
    QPushButton *b = button(screen, name);
    QVERIFY2(b, qPrintable(name));
    QVERIFY2(b->isEnabled() && b->isVisible(), qPrintable(name + " is not clickable"));
    QTest::mouseClick(b, Qt::LeftButton);
}

inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline services::RecordingWavePlayer &clips(app::AppContext &ctx) {
    return static_cast<services::RecordingWavePlayer &>(ctx.jieguo());
}
inline services::RecordingSpeechVoice &speech(app::AppContext &ctx) {
    return static_cast<services::RecordingSpeechVoice &>(ctx.voice());
}

} // namespace testing_support
