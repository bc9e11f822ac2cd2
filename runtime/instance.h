#pragma once

#include <memory>

namespace rt {

// A program-wide slot holding a form's default instance: empty at start, filled the first
// time the form is referred to, and never emptied while the program runs.
template <class F> class DefaultInstance
{
public:
    F& get()
    {
        if (!m_form) {
            m_form = std::make_unique<F>();
            m_form->load();
        }
        return *m_form;
    }

    bool isEmpty() const { return !m_form; }

    // For the end of the program, while the toolkit still stands.
    void release() { m_form.reset(); }

private:
    std::unique_ptr<F> m_form;
};

} // namespace rt
