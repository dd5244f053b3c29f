#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tarnwick::test {

// Runs the action on the next modal dialog once it is up (polling, as exec shows it first).
inline void WhenModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

} // namespace tarnwick::test
