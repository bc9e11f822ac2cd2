#include "timer.h"

#include "runtime/core/error.h"
#include "runtime/formwidget.h"
#include "runtime/handler.h"

#include <QPointer>
#include <QTimer>

#include <stdexcept>
#include <string>
#include <utility>

namespace rt {

void Timer::build(const Row& row, FormWidget& form)
{
    if (m_timer)
        throw std::logic_error(std::string("control built twice: ") + row.name);
    m_timer = new QTimer(&form);
    m_timer->setObjectName(QString::fromUtf8(row.name));
    m_timer->setTimerType(Qt::PreciseTimer);
}

void Timer::setInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        raise(ErrorNumber::InvalidPropertyValue);
    m_interval = milliseconds;
    m_pending = false; // the count starts anew
    if (milliseconds > 0)
        m_timer->start(milliseconds);
    else
        m_timer->stop();
}

void Timer::onTimer(std::function<void()> handler)
{
    m_handler = std::move(handler);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { tick(); });
}

void Timer::tick()
{
    if (!handlerRunning()) {
        runHandler(m_handler);
        return;
    }
    if (m_pending)
        return;
    m_pending = true;
    whenNoHandlerRuns([this, timer = QPointer<QTimer>(m_timer)] {
        // Delivered from the event loop, as any tick is, unless the timer is gone or was
        // stopped or restarted meanwhile.
        if (!timer)
            return;
        QTimer::singleShot(0, timer, [this] {
            if (std::exchange(m_pending, false))
                runHandler(m_handler);
        });
    });
}

} // namespace rt
