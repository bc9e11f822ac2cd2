#pragma once

#include "runtime/core/random.h"
#include "runtime/msgbox.h"

#include <QStringList>

#include <functional>
#include <vector>

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

// Stands in for the random generator: returns the given values in turn, over and over,
// until it goes out of scope.
class FixedRandom
{
public:
    explicit FixedRandom(std::vector<float> values)
        : m_values(std::move(values)),
          m_previous(
              rt::setRandomSource([this] { return m_values.at(m_next++ % m_values.size()); }))
    {}
    ~FixedRandom() { rt::setRandomSource(std::move(m_previous)); }
    float value(size_t i) const { return m_values[i % m_values.size()]; }

private:
    std::vector<float> m_values;
    size_t m_next = 0;
    rt::RandomSource m_previous;
};
