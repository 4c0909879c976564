#pragma once
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kv::test {

// Runs a function as soon as a modal window (a dialog or message box) is up,
// from inside its event loop. Gives up after a few seconds.
inline void WhenModal(std::function<void(QWidget&)> action, QWidget* notThis = nullptr) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal && modal != notThis && modal->isVisible()) || clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (modal && modal != notThis) action(*modal);
        }
    });
    timer->start(10);
}

// Lets posted events, deferred deletions and single-shot timers run.
inline void Settle(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace kv::test
