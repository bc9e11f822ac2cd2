#include "commandbutton.h"

#include "runtime/font.h"
#include "runtime/formwidget.h"
#include "runtime/handler.h"

#include <QPushButton>

#include <utility>

namespace rt {

void CommandButton::build(const Row& row, FormWidget& form)
{
    m_button = new QPushButton(QString::fromUtf8(row.text), &form);
    m_button->setFont(designFont(row.font));
    if (row.isDefault) {
        m_button->setDefault(true);
        form.setDefaultButton(m_button);
    }
    m_button->setGeometry(twipsRect(row.at));
    bind(m_button, row.name, nullptr, true);
}

void CommandButton::onClick(std::function<void()> handler)
{
    QObject::connect(m_button, &QPushButton::clicked, m_button,
                     [handler = std::move(handler)] { runHandler(handler); });
}

} // namespace rt
