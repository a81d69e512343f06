#include "EventLoop.h"

#include <QEventLoop>
#include <QTimer>

namespace vornak::bench {

void runUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start();
    loop.exec();
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void runOnce()
{
    runFor(0);
}

} // namespace vornak::bench
