#include "controls.h"

#include "error.h"
#include "units.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace rt {

bool Control::Visible() const
{
    return !m_widget->isHidden();
}

void Control::setVisible(bool visible)
{
    m_widget->setVisible(visible);
}

Label::Label(QLabel* widget)
    : Control(widget),
      m_label(widget)
{}

QString Label::Caption() const
{
    return m_label->text();
}

void Label::setCaption(const QString& caption)
{
    m_label->setText(caption);
}

TextBox::TextBox(QLineEdit* widget)
    : Control(widget),
      m_edit(widget)
{}

QString TextBox::Text() const
{
    return m_edit->text();
}

void TextBox::setText(const QString& text)
{
    m_edit->setText(text);
}

void TextBox::SetFocus()
{
    // A hidden or disabled box cannot take the focus.
    if (m_edit->isHidden() || !m_edit->isEnabled())
        raise(ErrorNumber::InvalidCall);
    m_edit->setFocus(Qt::OtherFocusReason);
}

CommandButton::CommandButton(QPushButton* widget)
    : Control(widget)
{}

void CommandButton::onClick(std::function<void()> handler)
{
    auto* button = static_cast<QPushButton*>(widget());
    QObject::connect(button, &QPushButton::clicked, button,
                     [handler = std::move(handler)] { runHandler(handler); });
}

void Image::setLeft(float twips)
{
    m_left = twips;
    place();
}

void Image::setTop(float twips)
{
    m_top = twips;
    place();
}

void Image::place()
{
    widget()->move(twipsToPixels(m_left), twipsToPixels(m_top));
}

Timer::Timer(QTimer* timer)
    : m_timer(timer)
{
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
