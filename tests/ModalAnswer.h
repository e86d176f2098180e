#pragma once

// Answers a modal dialog the way the user would: once a modal widget of the expected kind
// is up, the answer runs on it. The polling timer belongs to this object, so nothing
// outlives the test that made it.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace testsupport {

template <class W>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(W&)> answer) : answer_(std::move(answer))
    {
        poll_.setInterval(0);
        QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] {
            auto* modal = qobject_cast<W*>(QApplication::activeModalWidget());
            if (!modal)
                return;
            poll_.stop();
            ++answered_;
            answer_(*modal);
        });
        poll_.start();
    }

    // Answers the next one too.
    void again() { poll_.start(); }
    int answered() const { return answered_; }

private:
    std::function<void(W&)> answer_;
    QTimer poll_;
    int answered_ = 0;
};

} // namespace testsupport
