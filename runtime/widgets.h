#pragma once

// The widgets behind the controls. Only the runtime includes this header.

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <functional>

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

// The form's window. What the form draws is kept in a persistent image beneath the controls,
// in device pixels; it survives covering and resizing and grows with the window.
class FormWidget : public QWidget
{
public:
    FormWidget(const QColor& background, QSize clientSize);

    QImage& drawing() { return m_drawing; }
    const QImage& drawing() const { return m_drawing; }
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
    void growDrawing(QSize size);

    QColor m_background;
    double m_scale;
    QImage m_drawing;
    bool m_pressed = false;
};

} // namespace rt
