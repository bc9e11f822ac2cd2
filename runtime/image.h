#pragma once

#include "runtime/control.h"
#include "runtime/core/picture.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace rt {

class FormWidget;

// An image as designed.
struct ImageRow
{
    const char* name = "";
    Placement at{};
    bool visible = true;
    // The picture, compiled in (assets/pictures.h).
    const Picture* picture = nullptr;
    // Stretched to the control's size, or at its natural size.
    bool stretch = false;
    const char* description = nullptr;
};

// The picture's pixels at one density as an image that reads the compiled-in data in place.
QImage pictureImage(const PictureData& data);

// A picture at its natural size or stretched to the control; transparent pixels show what
// lies beneath.
class ImageWidget : public QWidget
{
    Q_OBJECT

public:
    ImageWidget(const Picture& picture, bool stretch, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& pixmap(bool dense);

    const Picture& m_picture;
    QPixmap m_normal;
    QPixmap m_double;
    bool m_stretch;
};

// A picture drawn on the form, which the program may move. It takes every click over its
// rectangle, so a click there never reaches the form.
class Image : public Control
{
public:
    using Row = ImageRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);

    float Left() const { return m_left; }
    void setLeft(float twips);
    void setTop(float twips);

private:
    void place();

    float m_left = 0;
    float m_top = 0;
};

} // namespace rt
