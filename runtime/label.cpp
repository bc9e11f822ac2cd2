#include "label.h"

#include "runtime/font.h"
#include "runtime/formwidget.h"
#include "runtime/units.h"

#include <QLabel>

namespace rt {

void Label::build(const Row& row, FormWidget& form)
{
    m_label = new QLabel(QString::fromUtf8(row.text), &form);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label->setFont(designFont(row.font));
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, resolve(row.foreColor, SystemColor::ButtonText));
    palette.setColor(QPalette::Window, resolve(row.backColor, SystemColor::ButtonFace));
    m_label->setPalette(palette);
    m_label->setAutoFillBackground(row.backStyle == BackStyle::Opaque);
    // A label ignores the mouse; the press stops here all the same.
    m_label->setAttribute(Qt::WA_NoMousePropagation);
    m_label->setGeometry(twipsRect(row.at));
    bind(m_label, row.name, row.description, row.visible);
    m_form = &form;
    m_announce = row.announce;
    if (row.context) {
        m_context = QString::fromUtf8(row.context);
        name();
    }
}

// A screen reader hears a label with a context as "context: text", or the context alone while
// the label is empty.
void Label::name()
{
    const QString text = m_label->text();
    m_label->setAccessibleName(text.isEmpty() ? m_context
                                              : m_context + QStringLiteral(": ") + text);
}

QString Label::Caption() const
{
    return m_label->text();
}

void Label::setCaption(const QString& caption)
{
    m_label->setText(caption);
    if (!m_context.isEmpty())
        name();
    if (m_announce && !caption.isEmpty())
        m_form->announce(m_label->accessibleName().isEmpty() ? caption : m_label->accessibleName());
}

} // namespace rt
