#pragma once

#include <functional>

class QTimer;

namespace rt {

class FormWidget;

// A timer as designed: it starts stopped.
struct TimerRow
{
    const char* name = "";
};

// Ticks while its interval is above 0. A timer shows nothing, so it is no control of the
// form's surface.
class Timer
{
public:
    using Row = TimerRow;
    static constexpr bool kWindowed = false;

    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void build(const Row& row, FormWidget& form);

    // n > 0: a tick every n ms, counted anew from now; 0 stops the timer.
    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);
    // The handler runs through the runtime's handler guard. A tick that falls due while a
    // handler runs (a message box is open, say) comes once that handler has returned.
    void onTimer(std::function<void()> handler);

private:
    void tick();

    QTimer* m_timer = nullptr;
    int m_interval = 0;
    std::function<void()> m_handler;
    bool m_pending = false;
};

} // namespace rt
