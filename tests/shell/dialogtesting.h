#pragma once
// Helpers of the dialog tests: named children and the answer to the next
// message box.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>

template <class T> T *Child(const QWidget &parent, const char *name)
{
    return parent.findChild<T *>(QLatin1String(name));
}

// Watches for the next message box, records it and closes it with its
// first button. Lives for the duration of one action.
class MessageBoxAnswer {
public:
    MessageBoxAnswer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            caption = box->windowTitle();
            text = box->text();
            seen = true;
            m_timer.stop();
            box->buttons().constFirst()->click();
        });
        m_timer.start();
    }

    QString caption;
    QString text;
    bool seen = false;

private:
    QTimer m_timer;
};

// Acts on the next modal dialog of type D once it is open (the caller then
// runs the command that opens it).
template <class D> void WhenModalOpens(std::function<void(D *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}
