#pragma once

// The widgets behind the controls. Only the runtime includes this header.

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <vector>

namespace rt {

// Labels take every click over their whole rectangle, transparent or not, so a click there
// never reaches the form.
class LabelWidget : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture at its natural size or stretched to the control; transparent pixels show what
// lies beneath. Takes every click over its rectangle.
class ImageWidget : public QWidget
{
public:
    ImageWidget(const QString& picture, bool stretch, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QPixmap& pixmap(bool dense);

    QString m_picture;
    QPixmap m_normal;
    QPixmap m_double;
    bool m_triedDouble = false;
    bool m_stretch;
};

// A solid rectangle without outline. Takes no mouse input.
class ShapeWidget : public QWidget
{
public:
    ShapeWidget(const QColor& fill, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
};

// A one-pixel line between two points given relative to the widget. Takes no mouse input.
class LineWidget : public QWidget
{
public:
    LineWidget(QPoint from, QPoint to, const QColor& color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_color;
};

} // namespace rt

namespace rt {

// One thing that the form drew, in device pixels at the form's drawing scale: a line, or a box
// with its outline and, if it has one, its fill. It keeps the part of the drawing that existed
// when it was drawn, so that what lay outside the window then never shows later.
struct Stroke
{
    enum class Kind { Line, Box };
    Kind kind = Kind::Line;
    QPoint from;
    QPoint to; // a box: from and to are its top-left and bottom-right pixels
    QColor pen;
    QColor fill = {}; // invalid: no fill
    QRect clip = {};
};

// The form's window. What the form draws is kept as the few strokes it is, replayed beneath the
// controls on every paint: it survives covering and resizing, and costs no memory that grows
// with the window.
class FormWidget : public QWidget
{
public:
    // No side of the window grows past this many device pixels, so that no resize can make the
    // toolkit's own window buffer exhaust memory.
    static constexpr int kLargestSide = 16384;

    FormWidget(const QColor& background, QSize clientSize);

    // Records a stroke; returns the device pixels that it may have changed.
    QRect addStroke(Stroke stroke);
    // The drawing as it stands, over the whole area that the window has ever covered.
    QImage drawing() const;
    double drawingScale() const { return m_scale; }

    std::function<void()> clicked;
    std::function<void()> closed;
    // Runs once, right after the window's first frame has gone to the screen.
    std::function<void()> firstFrameShown;
    // Pressed by Enter or Return anywhere on the form, unless a control takes the key itself.
    QPushButton* defaultButton = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void extendDrawing(QSize size);
    // Draws the background and the strokes, in device pixels, within `area`.
    void render(QPainter& painter, const QRect& area) const;

    QColor m_background;
    double m_scale;
    // The device pixels that the window has covered so far: its largest width and height.
    QSize m_extent;
    std::vector<Stroke> m_strokes;
    bool m_pressed = false;
};

} // namespace rt
