#pragma once

// Small helpers the screen tests share: find a control by its control name, read captions,
// and let deleted windows go.
#include "app/AppContext.h"
#include "core/SoundSheet.h"
#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"
#include "ui/Timer.h"
#include "ui/ToneMarksBox.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
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

inline ui::Timer *timer(QWidget *screen, const QString &name) {
    auto *t = screen->findChild<ui::Timer *>(name);
    if (!t) qWarning("no timer %s", qPrintable(name));
    return t;
}

// The value of a screen's progress bar (Progress1 unless named).
inline int bar(QWidget *screen, const QString &name = QStringLiteral("Progress1")) {
    auto *b = screen->findChild<QProgressBar *>(name);
    return b ? b->value() : -1;
}

// The first of the answer buttons Button9(1..4) whose caption is (or, with right false, is not)
// the given answer.
inline QString answerButton(QWidget *screen, const QString &answer, bool right = true) {
    for (int k = 1; k <= 4; ++k) {
        const QString name = QStringLiteral("Button9(%1)").arg(k);
        if ((caption(screen, name) == answer) == right) return name;
    }
    return {};
}

// How the recording player logs a clip: "play 0..1227".
inline QString played(core::Clip clip) {
    return QStringLiteral("play %1..%2").arg(clip.from).arg(clip.to);
}

// Settings of this test program's own, in Qt's test location, and empty: a test never reads or
// writes the user's choices, and test programs running side by side never share a file.
inline void useOwnSettings() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QCoreApplication::applicationName());
    ui::openSettings()->clear();
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
inline services::RecordingRecorder &record(app::AppContext &ctx) {
    return static_cast<services::RecordingRecorder &>(ctx.recorder());
}
// A round in one line: "screen area mode: R right, W wrong, S s".
inline QString roundLine(const services::Round &r) {
    static const char *const areas[] = {"arithmetic", "pinyin", "hanzi", "poems", "english", "geometry"};
    return QStringLiteral("%1 %2 %3: %4 right, %5 wrong, %6 s")
        .arg(r.screen, QString::fromLatin1(areas[int(r.area)]), r.mode)
        .arg(r.right)
        .arg(r.wrong)
        .arg(r.seconds);
}
// A round's misses as "item→given", in order.
inline QStringList missList(const services::Round &round) {
    QStringList out;
    for (const services::Answer &a : round.misses)
        out << a.item + QStringLiteral("→") + a.given;
    return out;
}

} // namespace testing_support
