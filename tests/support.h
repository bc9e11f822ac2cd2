#pragma once

#include "runtime/msgbox.h"

#include <QStringList>

#include <functional>

// Stands in for the message box: records each prompt, and what the given snapshot says the
// screen shows at that moment, instead of opening a modal box.
class MessageRecorder
{
public:
    explicit MessageRecorder(std::function<QString()> snapshot = {})
        : m_snapshot(std::move(snapshot)),
          m_previous(rt::setMessageBoxHandler([this](const QString& prompt) {
              prompts << prompt;
              if (m_snapshot)
                  snapshots << m_snapshot();
          }))
    {}
    ~MessageRecorder() { rt::setMessageBoxHandler(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList prompts;
    QStringList snapshots;

private:
    std::function<QString()> m_snapshot;
    rt::MessageBoxHandler m_previous;
};
