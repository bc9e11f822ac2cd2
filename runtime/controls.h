#pragma once

#include <QString>

#include <functional>

class QWidget;
class QTimer;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rt {

// The controls as the forms' logic sees them: properties and methods only. The widgets behind
// them belong to the runtime.
class Control
{
public:
    explicit Control(QWidget* widget)
        : m_widget(widget)
    {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's own flag, whether or not its form is on the screen.
    bool Visible() const;
    void setVisible(bool visible);

    QWidget* widget() const { return m_widget; }

private:
    QWidget* m_widget;
};

class Label : public Control
{
public:
    explicit Label(QLabel* widget);
    QString Caption() const;
    void setCaption(const QString& caption);

private:
    QLabel* m_label;
};

class TextBox : public Control
{
public:
    explicit TextBox(QLineEdit* widget);
    QString Text() const;
    void setText(const QString& text);
    void SetFocus();

private:
    QLineEdit* m_edit;
};

class CommandButton : public Control
{
public:
    explicit CommandButton(QPushButton* widget);
    // The handler runs through the runtime's handler guard.
    void onClick(std::function<void()> handler);
};

class Image : public Control
{
public:
    Image(QWidget* widget, float left, float top)
        : Control(widget),
          m_left(left),
          m_top(top)
    {}
    float Left() const { return m_left; }
    float Top() const { return m_top; }
    void setLeft(float twips);
    void setTop(float twips);

private:
    void place();
    float m_left;
    float m_top;
};

class Shape : public Control
{
public:
    using Control::Control;
};

class LineControl : public Control
{
public:
    using Control::Control;
};

class Timer
{
public:
    explicit Timer(QTimer* timer);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // n > 0: a tick every n ms, counted anew from now; 0 stops the timer.
    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);
    // The handler runs through the runtime's handler guard. A tick that falls due while a
    // handler runs (a message box is open, say) comes once that handler has returned.
    void onTimer(std::function<void()> handler);

private:
    void tick();

    QTimer* m_timer;
    int m_interval = 0;
    std::function<void()> m_handler;
    bool m_pending = false;
};

} // namespace rt
