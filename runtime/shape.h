#pragma once

#include "runtime/control.h"

#include <QColor>
#include <QWidget>

namespace rt {

class FormWidget;

// A rectangle shape as designed: solid, no outline.
struct ShapeRow
{
    const char* name = "";
    Placement at{};
    ColorSpec backColor{};
    const char* description = nullptr;
};

// A solid rectangle without outline. Takes no mouse input.
class ShapeWidget : public QWidget
{
    Q_OBJECT

public:
    ShapeWidget(const QColor& fill, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
};

// A filled rectangle drawn on the form; clicks go through it to the form.
class Shape : public Control
{
public:
    using Row = ShapeRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);
};

} // namespace rt
