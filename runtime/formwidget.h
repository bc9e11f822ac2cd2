#pragma once

// The window behind a form. The forms never include this header: they see rt::Form.

#include "runtime/design.h"

#include <QAccessible>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class QPushButton;

namespace rt {

QColor toQColor(Color color);
// A design colour as the screen shows it; `fallback` stands for the control's default.
QColor resolve(const ColorSpec& spec, SystemColor fallback);
// A control's place on its form, in pixels.
QRect twipsRect(const Placement& at);
// The rectangle with two given corners, in either order, both corners included.
QRect spanning(QPoint a, QPoint b);

// What a picture, a shape or a line shows: a widget that paints itself with a function and
// tells screen readers its role (a picture is no empty pane).
class Graphic : public QWidget
{
    Q_OBJECT

public:
    using Paint = std::function<void(QPainter&, const QWidget&)>;
    Graphic(QAccessible::Role role, Paint paint, QWidget* form);

    QAccessible::Role role() const { return m_role; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAccessible::Role m_role;
    Paint m_paint;
};

// One thing that the form drew, in device pixels at the form's drawing scale: a line, or a box
// with its outline and, if it has one, its fill. It keeps the part of the drawing that existed
// when it was drawn, so that what lay outside the window then never shows later.
struct Stroke
{
    LineKind kind = LineKind::Line;
    QPoint from;
    QPoint to; // a box: from and to are its top-left and bottom-right pixels
    QColor pen;
    QColor fill = {}; // invalid: no fill
    QRect clip = {};
};

// What the form tells a screen reader unasked: an empty widget whose role is a notification,
// named with the news and shown for a moment, which screen readers speak as it shows.
class Announcement : public QWidget
{
    Q_OBJECT

public:
    explicit Announcement(QWidget* form);
    // Says `text`; what is said in one turn of the event loop is said together.
    void say(const QString& text);

private:
    QStringList m_pending;
};

// The form's window. What the form draws is kept as the few strokes it is, replayed beneath the
// controls on every paint: it survives covering and resizing, and costs no memory that grows
// with the window.
class FormWidget : public QWidget
{
    Q_OBJECT

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

    // The button that Enter or Return anywhere on the form presses, unless a control takes
    // the key itself.
    void setDefaultButton(QPushButton* button) { m_defaultButton = button; }
    // Whether Enter and Space on the form count as a click on it: where no button takes them.
    bool takesKeysAsClicks() const { return !m_defaultButton; }
    // Tells a screen reader `text` unasked.
    void announce(const QString& text) { m_announcement->say(text); }
    // A click on the form's surface, or the player's request to close its window, coming from
    // elsewhere than the window's own events (a screen reader, the window manager).
    void click() { emit clicked(); }
    void requestClose() { emit closeRequested(); }
    // Whether firstFrameShown() has been emitted.
    bool firstFrameWasShown() const { return m_firstFrameShown; }

signals:
    // A press and a release of the left button on the form's own surface.
    void clicked();
    // The player closed the window.
    void closeRequested();
    // Emitted once, right after the window's first frame has gone to the screen.
    void firstFrameShown();

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
    QPushButton* m_defaultButton = nullptr;
    Announcement* m_announcement;
    bool m_pressed = false;
    bool m_firstPaintDone = false;
    bool m_firstFrameShown = false;
};

} // namespace rt
