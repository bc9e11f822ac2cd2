#include "focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace rt {

FocusRing::FocusRing(QWidget* form)
    : QWidget(form)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* control)
{
    if (m_control)
        m_control->removeEventFilter(this);
    m_control = control && control->parentWidget() == parentWidget() ? control : nullptr;
    if (m_control)
        m_control->installEventFilter(this);
    place();
}

void FocusRing::place()
{
    if (!m_control || !m_control->isVisible()) {
        hide();
        return;
    }
    const int width = 2 * kBand;
    setGeometry(m_control->geometry().adjusted(-width, -width, width, width));
    raise();
    show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_control) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(kBand, kBand, -kBand, -kBand);
    const QRect control = inner.adjusted(kBand, kBand, -kBand, -kBand);
    painter.setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
    painter.fillRect(outer, Qt::black);
    painter.setClipRegion(QRegion(inner).subtracted(QRegion(control)));
    painter.fillRect(inner, Qt::white);
}

} // namespace rt
