#pragma once

namespace rt {

// A program-wide slot holding a form's default instance: empty at start, filled the first
// time the form is referred to, and never emptied while the program runs.
//
// The slot has no destructor of its own: when the toolkit ends the process itself (it calls
// exit() when the display goes away), the forms must not be torn down after the toolkit's own
// state is gone. The program's normal end calls release() while the toolkit still stands.
template <class F> class DefaultInstance
{
public:
    F& get()
    {
        if (!m_form) {
            m_form = new F;
            m_form->load();
        }
        return *m_form;
    }

    bool isEmpty() const { return !m_form; }

    // For the end of the program, while the toolkit still stands.
    void release()
    {
        delete m_form;
        m_form = nullptr;
    }

private:
    F* m_form = nullptr;
};

} // namespace rt
