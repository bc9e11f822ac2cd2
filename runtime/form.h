#pragma once

#include "color.h"
#include "controls.h"
#include "design.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

class QImage;
class QWidget;

namespace rt {

class FormWidget;

// A form of the runtime: a window with the controls of its design, a persistent drawing
// beneath them, and the event handlers of the form class that derives from it.
class Form
{
public:
    // `Line` flags: a line between two points, or a box with those corners.
    static constexpr int kLine = 0x06;
    static constexpr int kBox = 0x16;

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
    rt::FillStyle FillStyle() const { return m_fillStyle; }
    void setFillStyle(rt::FillStyle style) { m_fillStyle = style; }

    // Draws into the form's persistent image. Coordinates in twips; a box's corners may come
    // in either order, and both corners are part of it.
    void Line(int flags, float x1, float y1, float x2, float y2, Color color);

    // Called when the user closes the form's window.
    void onClose(std::function<void()> handler);
    // Called once, right after the form's first frame is on the screen.
    void afterFirstFrame(std::function<void()> action);

    QWidget* widget() const;
    // The persistent drawing, in device pixels (see drawingScale()), over every part of the
    // form that its window has covered so far.
    QImage drawing() const;
    double drawingScale() const;
    Control& control(const std::string& name) const;

protected:
    virtual void Form_Load() {}
    virtual void Form_Click() {}

    Label& label(const std::string& name) const { return typed<Label>(name); }
    TextBox& textBox(const std::string& name) const { return typed<TextBox>(name); }
    CommandButton& commandButton(const std::string& name) const
    {
        return typed<CommandButton>(name);
    }
    Image& image(const std::string& name) const { return typed<Image>(name); }
    LineControl& lineControl(const std::string& name) const { return typed<LineControl>(name); }
    Timer& timer(const std::string& name) const;

private:
    template <class T> T& typed(const std::string& name) const;
    void createControl(const ControlRow& row);
    void setFocusOrder(std::span<const ControlRow> rows);

    std::unique_ptr<FormWidget> m_widget;
    std::map<std::string, std::unique_ptr<Control>> m_controls;
    std::map<std::string, std::unique_ptr<Timer>> m_timers;
    Color m_fillColor = colors::black;
    rt::FillStyle m_fillStyle;
    bool m_loaded = false;
};

template <class T> T& Form::typed(const std::string& name) const
{
    auto* typed = dynamic_cast<T*>(&control(name));
    if (!typed)
        throw std::logic_error("control " + name + " is of another kind");
    return *typed;
}

} // namespace rt
