#pragma once

// Answers a modal dialog the way the user would: once a modal widget of the expected kind
// is up, the answer runs on it. A dialog that the answer leaves open would hold the test
// for good, so it is closed after a while and the test fails. The timers belong to this
// object, so nothing outlives the test that made it.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

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
            answeredDialog_ = modal;
            stayedOpen_.start();
            answer_(*modal);
        });
        stayedOpen_.setSingleShot(true);
        stayedOpen_.setInterval(5000);
        QObject::connect(&stayedOpen_, &QTimer::timeout, &stayedOpen_, [this] {
            if (!answeredDialog_ || !answeredDialog_->isVisible())
                return;
            ADD_FAILURE() << "the dialog stayed open after it was answered";
            answeredDialog_->reject();
        });
        poll_.start();
    }

    int answered() const { return answered_; }

private:
    std::function<void(W&)> answer_;
    QTimer poll_;
    QTimer stayedOpen_;
    QPointer<W> answeredDialog_;
    int answered_ = 0;
};

} // namespace testsupport
