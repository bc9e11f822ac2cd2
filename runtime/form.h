#pragma once

#include "runtime/controls.h"
#include "runtime/core/color.h"
#include "runtime/design.h"
#include "runtime/timer.h"

#include <functional>
#include <memory>
#include <ranges>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

class QImage;
class QWidget;

namespace rt {

class FormWidget;

// One row of a form's control table: a control member of the form class `F` and its design.
// The member's type names the kind, so a row can only ever describe a control of its kind.
template <class F, class C> struct Bound
{
    static constexpr bool windowed = C::kWindowed;

    C F::*control;
    typename C::Row row;
};

template <class F>
using ControlRow =
    std::variant<Bound<F, Label>, Bound<F, TextBox>, Bound<F, CommandButton>, Bound<F, Image>,
                 Bound<F, Shape>, Bound<F, LineControl>, Bound<F, Timer>>;

// A row of the table for the control member `control`: `bind(&frmGame::lbl7, {...})`, where
// the braces hold the design of that member's kind.
template <class F, class C> constexpr ControlRow<F> bind(C F::*control, const typename C::Row& row)
{
    return Bound<F, C>{control, row};
}

// A form of the runtime: a window with the controls of its design, a persistent drawing
// beneath them, and the event handlers of the form class that derives from it.
class Form
{
public:
    explicit Form(const FormDesign& design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Runs Form_Load. The default-instance slot calls it once, right after creating the form.
    void load();

    void Show();
    void Hide();
    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);

    float ScaleWidth() const;
    float ScaleHeight() const;

    Color FillColor() const { return m_fillColor; }
    void setFillColor(Color color) { m_fillColor = color; }

    // Draws into the form's persistent image. Coordinates in twips; a box's corners may come
    // in either order, and both corners are part of it.
    void Line(LineKind kind, float x1, float y1, float x2, float y2, Color color);

    // Called when the user closes the form's window.
    void onClose(std::function<void()> handler);
    // Called once, right after the form's first frame is on the screen (at once, from the
    // event loop, if it is on the screen already).
    void afterFirstFrame(std::function<void()> action);

    QWidget* widget() const;
    // The persistent drawing, in device pixels (see drawingScale()), over every part of the
    // form that its window has covered so far.
    QImage drawing() const;
    double drawingScale() const;

protected:
    virtual void Form_Load() {}
    virtual void Form_Click() {}

    // Builds each control member of `form` from its row. The table lists the controls front
    // to back: a control earlier in it lies over a later one. Text boxes and buttons are
    // windows of their own and lie over all the others.
    template <class F>
    void build(F& form, std::span<const ControlRow<std::type_identity_t<F>>> rows);

private:
    void setFocusOrder(std::vector<std::pair<int, QWidget*>> stops);

    std::unique_ptr<FormWidget> m_widget;
    Color m_fillColor{}; // black
    FillStyle m_fillStyle;
    bool m_loaded = false;
};

template <class F>
void Form::build(F& form, std::span<const ControlRow<std::type_identity_t<F>>> rows)
{
    std::vector<std::pair<int, QWidget*>> stops; // the focus order: tab index, widget
    // Later siblings paint over earlier ones: the controls drawn on the form are built from the
    // back of the table to its front, then the windowed ones, which lie above them all.
    for (const bool windowed : {false, true})
        for (const ControlRow<F>& row : std::views::reverse(rows))
            std::visit(
                [&](const auto& bound) {
                    if (bound.windowed != windowed)
                        return;
                    auto& control = form.*bound.control;
                    control.build(bound.row, *m_widget.get());
                    if constexpr (requires { bound.row.tabIndex; })
                        if (bound.row.tabIndex >= 0)
                            stops.emplace_back(bound.row.tabIndex, control.widget());
                },
                row);
    setFocusOrder(std::move(stops));
}

} // namespace rt
