#pragma once

#include "runtime/control.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace rt {

class FormWidget;

// A line control as designed: its two ends in twips.
struct LineRow
{
    const char* name = "";
    ColorSpec foreColor{};
    bool visible = true;
    const char* description = nullptr;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// A one-pixel line between two points given relative to the widget. Takes no mouse input.
class LineWidget : public QWidget
{
    Q_OBJECT

public:
    LineWidget(QPoint from, QPoint to, const QColor& color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_color;
};

// A line drawn on the form; clicks go through it to the form.
class LineControl : public Control
{
public:
    using Row = LineRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);
};

} // namespace rt
