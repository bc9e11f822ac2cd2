#include "form.h"

#include "error.h"
#include "font.h"
#include "units.h"
#include "widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <ranges>
#include <stdexcept>
#include <vector>

namespace rt {
namespace {

QColor toQColor(Color color)
{
    return QColor(color.red, color.green, color.blue);
}

QColor resolve(const ColorSpec& spec, SystemColor fallback)
{
    const SystemColor system = spec.kind == ColorSpec::Kind::System ? spec.system : fallback;
    if (spec.kind == ColorSpec::Kind::Rgb)
        return toQColor(spec.rgb);
    const QPalette palette = QApplication::palette();
    switch (system) {
    case SystemColor::ButtonFace:
        return palette.color(QPalette::Button);
    case SystemColor::ButtonText:
        return palette.color(QPalette::ButtonText);
    case SystemColor::WindowText:
        return palette.color(QPalette::WindowText);
    case SystemColor::CaptionText:
        return Qt::white;
    }
    return Qt::black;
}

// The rectangle with two given corners, in either order, both corners included.
QRect spanning(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QRect twipsRect(const ControlRow& row)
{
    return QRect(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                 twipsToPixels(row.height));
}

bool isWindowed(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton;
}

void describe(QWidget* widget, const ControlRow& row)
{
    widget->setObjectName(QString::fromUtf8(row.name));
    if (row.description)
        widget->setAccessibleName(QString::fromUtf8(row.description));
}

} // namespace

Form::Form(const FormDesign& design)
    : m_widget(std::make_unique<FormWidget>(
          resolve(design.backColor, SystemColor::ButtonFace),
          QSize(twipsToPixels(design.clientWidth), twipsToPixels(design.clientHeight)))),
      m_fillStyle(design.fillStyle)
{
    m_widget->setWindowTitle(QString::fromUtf8(design.caption));
    m_widget->clicked = [this] { runHandler([this] { Form_Click(); }); };

    // Later siblings paint over earlier ones: create the controls drawn on the form from the
    // back of the table to its front, then the windowed ones, which lie above them all.
    for (const ControlRow& row : std::views::reverse(design.controls))
        if (!isWindowed(row.kind))
            createControl(row);
    for (const ControlRow& row : std::views::reverse(design.controls))
        if (isWindowed(row.kind))
            createControl(row);
    setFocusOrder(design.controls);

    // Open where the player looks first: the middle of the screen.
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame(QPoint(), m_widget->size());
        frame.moveCenter(screen->availableGeometry().center());
        m_widget->move(frame.topLeft());
    }
}

Form::~Form() = default;

void Form::createControl(const ControlRow& row)
{
    QWidget* parent = m_widget.get();
    const std::string name = row.name;
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new LabelWidget(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(designFont(row.font));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, resolve(row.foreColor, SystemColor::ButtonText));
        palette.setColor(QPalette::Window, resolve(row.backColor, SystemColor::ButtonFace));
        label->setPalette(palette);
        label->setAutoFillBackground(row.backStyle == BackStyle::Opaque);
        m_controls[name] = std::make_unique<Label>(label);
        break;
    }
    case ControlKind::TextBox: {
        auto* edit = new QLineEdit(text, parent);
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(INT_MAX);
        edit->setFont(designFont(row.font));
        QPalette palette = edit->palette();
        if (row.foreColor.kind != ColorSpec::Kind::Default)
            palette.setColor(QPalette::Text, resolve(row.foreColor, SystemColor::WindowText));
        if (row.backColor.kind != ColorSpec::Kind::Default)
            palette.setColor(QPalette::Base, resolve(row.backColor, SystemColor::ButtonFace));
        edit->setPalette(palette);
        m_controls[name] = std::make_unique<TextBox>(edit);
        break;
    }
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(text, parent);
        button->setFont(designFont(row.font));
        if (row.isDefault) {
            button->setDefault(true);
            m_widget->defaultButton = button;
        }
        m_controls[name] = std::make_unique<CommandButton>(button);
        break;
    }
    case ControlKind::Image: {
        auto* image = new ImageWidget(QString::fromUtf8(row.picture), row.stretch, parent);
        m_controls[name] = std::make_unique<Image>(image, float(row.left), float(row.top));
        break;
    }
    case ControlKind::Shape: {
        auto* shape = new ShapeWidget(resolve(row.backColor, SystemColor::ButtonFace), parent);
        m_controls[name] = std::make_unique<Shape>(shape);
        break;
    }
    case ControlKind::Line: {
        const QPoint a(twipsToPixels(row.line.x1), twipsToPixels(row.line.y1));
        const QPoint b(twipsToPixels(row.line.x2), twipsToPixels(row.line.y2));
        const QRect bounds = spanning(a, b);
        auto* line = new LineWidget(a - bounds.topLeft(), b - bounds.topLeft(),
                                    resolve(row.foreColor, SystemColor::WindowText), parent);
        line->setGeometry(bounds);
        m_controls[name] = std::make_unique<LineControl>(line);
        break;
    }
    case ControlKind::Timer: {
        auto* timer = new QTimer(parent);
        timer->setObjectName(QString::fromUtf8(row.name));
        m_timers[name] = std::make_unique<Timer>(timer);
        return;
    }
    }
    QWidget* widget = m_controls[name]->widget();
    if (row.kind != ControlKind::Line)
        widget->setGeometry(twipsRect(row));
    describe(widget, row);
    widget->setHidden(!row.visible);
}

void Form::setFocusOrder(std::span<const ControlRow> rows)
{
    std::vector<const ControlRow*> ordered;
    for (const ControlRow& row : rows)
        if (row.tabIndex >= 0)
            ordered.push_back(&row);
    std::ranges::sort(ordered, {}, &ControlRow::tabIndex);
    for (size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(control(ordered[i - 1]->name).widget(),
                             control(ordered[i]->name).widget());
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form::Show()
{
    m_widget->show();
    m_widget->activateWindow();
}

void Form::Hide()
{
    m_widget->hide();
}

bool Form::Enabled() const
{
    return m_widget->isEnabled();
}

void Form::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}

bool Form::Visible() const
{
    return !m_widget->isHidden();
}

void Form::setVisible(bool visible)
{
    if (visible == Visible())
        return;
    if (visible)
        Show();
    else
        Hide();
}

float Form::ScaleWidth() const
{
    return float(pixelsToTwips(m_widget->width()));
}

float Form::ScaleHeight() const
{
    return float(pixelsToTwips(m_widget->height()));
}

void Form::Line(int flags, float x1, float y1, float x2, float y2, Color color)
{
    if (flags != kLine && flags != kBox)
        raise(ErrorNumber::InvalidCall);
    const double scale = m_widget->drawingScale();
    const QPoint a(twipsToPixels(x1, scale), twipsToPixels(y1, scale));
    const QPoint b(twipsToPixels(x2, scale), twipsToPixels(y2, scale));

    Stroke stroke{.kind = Stroke::Kind::Line, .from = a, .to = b, .pen = toQColor(color)};
    if (flags == kBox) {
        const QRect box = spanning(a, b);
        stroke.kind = Stroke::Kind::Box;
        stroke.from = box.topLeft();
        stroke.to = box.bottomRight();
        if (m_fillStyle == FillStyle::Solid)
            stroke.fill = toQColor(m_fillColor);
    }
    const QRect dirty = m_widget->addStroke(std::move(stroke));
    // Back from device pixels to the widget's pixels, with a pixel to spare for rounding.
    const QRectF logical(QPointF(dirty.topLeft()) / scale, QSizeF(dirty.size()) / scale);
    m_widget->update(logical.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void Form::afterFirstFrame(std::function<void()> action)
{
    m_widget->firstFrameShown = std::move(action);
}

void Form::onClose(std::function<void()> handler)
{
    m_widget->closed = std::move(handler);
}

QWidget* Form::widget() const
{
    return m_widget.get();
}

QImage Form::drawing() const
{
    return m_widget->drawing();
}

double Form::drawingScale() const
{
    return m_widget->drawingScale();
}

Control& Form::control(const std::string& name) const
{
    const auto found = m_controls.find(name);
    if (found == m_controls.end())
        throw std::logic_error("no control named " + name);
    return *found->second;
}

Timer& Form::timer(const std::string& name) const
{
    const auto found = m_timers.find(name);
    if (found == m_timers.end())
        throw std::logic_error("no timer named " + name);
    return *found->second;
}

} // namespace rt
