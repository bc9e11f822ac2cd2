#pragma once

#include <QPointer>
#include <QWidget>

namespace rt {

// A ring around the form's control that has the keyboard focus: black outside, white inside,
// so that it shows against the form and against the control, whatever their colours. Without
// the focus, the form looks as designed.
class FocusRing : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBand = 2; // pixels of each colour

    explicit FocusRing(QWidget* form);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* control);
    void place();

    QPointer<QWidget> m_control;
};

} // namespace rt
