#include "textbox.h"

#include "runtime/core/error.h"
#include "runtime/font.h"
#include "runtime/formwidget.h"

#include <QLineEdit>

#include <climits>

namespace rt {

void TextBox::build(const Row& row, FormWidget& form)
{
    m_edit = new QLineEdit(QString::fromUtf8(row.text), &form);
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setMaxLength(INT_MAX);
    m_edit->setFont(designFont(row.font));
    QPalette palette = m_edit->palette();
    if (row.foreColor.kind != ColorSpec::Kind::Default)
        palette.setColor(QPalette::Text, resolve(row.foreColor, SystemColor::WindowText));
    if (row.backColor.kind != ColorSpec::Kind::Default)
        palette.setColor(QPalette::Base, resolve(row.backColor, SystemColor::ButtonFace));
    m_edit->setPalette(palette);
    m_edit->setGeometry(twipsRect(row.at));
    bind(m_edit, row.name, row.description, row.visible);
}

QString TextBox::Text() const
{
    return m_edit->text();
}

void TextBox::setText(const QString& text)
{
    m_edit->setText(text);
    // What the program puts in the box that the player types in is there to be typed over.
    // (A box that the player goes to with Tab selects its text by itself; one with the mouse
    // puts the cursor where it was clicked.)
    if (m_edit->window()->focusWidget() == m_edit)
        m_edit->selectAll();
}

void TextBox::SetFocus()
{
    // A hidden or disabled box cannot take the focus.
    if (m_edit->isHidden() || !m_edit->isEnabled())
        raise(ErrorNumber::InvalidCall);
    m_edit->setFocus(Qt::OtherFocusReason);
}

} // namespace rt
