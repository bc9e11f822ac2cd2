#include "program.h"

#include "runtime/formwidget.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPixmapCache>

namespace rt {
namespace {

// A form's window. One that takes Enter and Space as a click offers the same to screen readers
// as its press action.
class FormAccessible : public QAccessibleWidget
{
public:
    explicit FormAccessible(FormWidget* form)
        : QAccessibleWidget(form, QAccessible::Window)
    {}

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (form()->takesKeysAsClicks())
            names.prepend(pressAction());
        return names;
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name == pressAction())
            return {QStringLiteral("Return"), QStringLiteral("space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

    void doAction(const QString& name) override
    {
        if (name != pressAction() || !form()->takesKeysAsClicks()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // Answered first: the click runs from the event loop, as a real one does.
        QMetaObject::invokeMethod(form(), &FormWidget::click, Qt::QueuedConnection);
    }

private:
    FormWidget* form() const { return static_cast<FormWidget*>(widget()); }
};

// Screen readers name pictures, shapes and lines by what they are, not as empty panes.
QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* graphic = qobject_cast<Graphic*>(object))
        return new QAccessibleWidget(graphic, graphic->role());
    if (auto* form = qobject_cast<FormWidget*>(object))
        return new FormAccessible(form);
    if (auto* news = qobject_cast<Announcement*>(object))
        return new QAccessibleWidget(news, QAccessible::Notification);
    return nullptr;
}

} // namespace

Program* Program::s_current = nullptr;

Program::Program(const QString& title)
    : m_title(title)
{
    Q_ASSERT(!s_current);
    s_current = this;
    QAccessible::installFactory(accessibleFor);
    QCoreApplication::instance()->installNativeEventFilter(&m_blockedClose);
    QCoreApplication::instance()->installNativeEventFilter(&m_keyRepeats);
    QCoreApplication::instance()->installEventFilter(&m_keyRepeats);
    // Nothing goes into Qt's pixmap cache (the window icons, the button's bevel): the few
    // pixmaps are cheap to make again, and a cache that holds any wakes the program every
    // half minute to age them, however long nobody plays.
    m_pixmapCacheLimit = QPixmapCache::cacheLimit();
    QPixmapCache::setCacheLimit(0);
}

Program::~Program()
{
    QPixmapCache::setCacheLimit(m_pixmapCacheLimit);
    QCoreApplication::instance()->removeEventFilter(&m_keyRepeats);
    QCoreApplication::instance()->removeNativeEventFilter(&m_keyRepeats);
    QCoreApplication::instance()->removeNativeEventFilter(&m_blockedClose);
    QAccessible::removeFactory(accessibleFor);
    s_current = nullptr;
}

QString Program::title()
{
    return s_current ? s_current->m_title : QString();
}

} // namespace rt
