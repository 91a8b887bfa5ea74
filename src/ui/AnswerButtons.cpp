#include "ui/AnswerButtons.h"

#include "core/FourChoice.h"
#include "core/ReadingOrder.h"
#include "ui/Keyboard.h"

#include <QShortcut>
#include <algorithm>

namespace ui {

AnswerButtons::AnswerButtons(QWidget *parent, const QString &base, const std::vector<QRect> &places,
                             double pointSize, int first)
    : QObject(parent), first_(first) {
    for (std::size_t i = 0; i < places.size(); ++i) {
        const int k = first + static_cast<int>(i);
        auto *b =
            new FlatButton(QStringLiteral("%1(%2)").arg(base).arg(k), QStringLiteral(" "), parent, pointSize);
        b->setGeometry(places[i]);
        connect(b, &QPushButton::clicked, this, [this, k] { emit chosen(k); });
        buttons_.push_back(b);
    }
    order_ = core::readingOrder(places);
    for (std::size_t place = 0; place < order_.size(); ++place)
        buttons_[std::size_t(order_[place])]->setBlankName(QStringLiteral("答案%1").arg(place + 1));
    setNumberKeys(count() <= 9);
}

FlatButton *AnswerButtons::buttonAt(int place) const {
    return place >= 1 && place <= count() ? buttons_[std::size_t(order_[std::size_t(place - 1)])] : nullptr;
}

void AnswerButtons::press(int place) {
    FlatButton *b = buttonAt(place);
    if (b && b->isEnabled() && b->isVisible()) b->click();
}

void AnswerButtons::setNumberKeys(bool on) {
    for (QObject *key : keys_)
        delete key;
    keys_.clear();
    for (int place = 1; place <= count(); ++place)
        buttonAt(place)->setAccessibleDescription(QString());
    if (!on) return;
    auto *parent = qobject_cast<QWidget *>(this->parent());
    for (int place = 1; place <= std::min(count(), 9); ++place) {
        const auto digit = Qt::Key(Qt::Key_0 + place);
        // A shortcut only fires where no text box takes the digit as typing.
        auto *key = new QShortcut(parent);
        key->setKeys({QKeySequence(digit), QKeySequence(QKeyCombination(Qt::KeypadModifier, digit))});
        key->setObjectName(QStringLiteral("key%1").arg(place));
        connect(key, &QShortcut::activated, this, [this, place] { press(place); });
        keys_.push_back(key);
        buttonAt(place)->setAccessibleDescription(QStringLiteral("按%1").arg(place));
    }
}

FlatButton *AnswerButtons::button(int k) const {
    const int i = k - first_;
    return i >= 0 && i < count() ? buttons_[static_cast<std::size_t>(i)] : nullptr;
}

void AnswerButtons::setCaption(int k, const QString &text) {
    if (auto *b = button(k)) b->setCaption(text);
}

QString AnswerButtons::caption(int k) const {
    const FlatButton *b = button(k);
    return b ? b->caption() : QString();
}

void AnswerButtons::setEnabled(int k, bool on) {
    if (auto *b = button(k)) b->setEnabled(on);
}

void AnswerButtons::setAllEnabled(bool on) {
    for (auto *b : buttons_)
        b->setEnabled(on);
}

void AnswerButtons::clearCaptions() {
    for (auto *b : buttons_)
        b->setCaption(QString());
}

void AnswerButtons::showChoice(const core::FourChoice &choice) {
    for (std::size_t i = 0; i < 4 && i < buttons_.size(); ++i) {
        buttons_[i]->setCaption(choice.captions[i]);
        buttons_[i]->setEnabled(choice.filled[i]);
    }
}

} // namespace ui
