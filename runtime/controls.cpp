#include "controls.h"

#include "error.h"
#include "units.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

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
    if (milliseconds > 0)
        m_timer->start(milliseconds);
    else
        m_timer->stop();
}

void Timer::onTimer(std::function<void()> handler)
{
    QObject::connect(m_timer, &QTimer::timeout, m_timer,
                     [handler = std::move(handler)] { runHandler(handler); });
}

} // namespace rt
