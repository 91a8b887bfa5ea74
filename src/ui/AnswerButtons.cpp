#include "ui/AnswerButtons.h"

#include "core/FourChoice.h"

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

void AnswerButtons::show(const core::FourChoice &choice) {
    for (std::size_t i = 0; i < 4 && i < buttons_.size(); ++i) {
        buttons_[i]->setCaption(choice.captions[i]);
        buttons_[i]->setEnabled(choice.filled[i]);
    }
}

} // namespace ui
