#include "msgbox.h"

#include "runtime/program.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace rt {
namespace {
MessageBoxHandler g_handler;
}

void rtcMsgBox(const QString& prompt)
{
    if (g_handler) {
        g_handler(prompt);
        return;
    }
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, Program::title(), prompt, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // the prompt and one plain OK button

    box.exec();
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    std::swap(g_handler, handler);
    return handler;
}

} // namespace rt
