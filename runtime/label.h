#pragma once

#include "runtime/control.h"

#include <QString>

class QLabel;

namespace rt {

class FormWidget;

// A label as designed.
struct LabelRow
{
    const char* name = "";
    Placement at{};
    const char* text = "";
    FontSpec font{};
    ColorSpec foreColor{};
    ColorSpec backColor{};
    BackStyle backStyle = BackStyle::Opaque;
    bool visible = true;
    // What a screen reader says, where the text alone would not do.
    const char* description = nullptr;
    // What the text is, for a screen reader, which then says "context: text".
    const char* context = nullptr;
    // Whether a screen reader is told, unasked, when the label gets a text.
    bool announce = false;
};

// Text drawn on the form, centred and wrapped at word boundaries, shown as typed. A label
// takes every click over its whole rectangle, transparent or not, so a click there never
// reaches the form.
class Label : public Control
{
public:
    using Row = LabelRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);

    QString Caption() const;
    void setCaption(const QString& caption);

private:
    void name();

    QLabel* m_label = nullptr;
    FormWidget* m_form = nullptr;
    QString m_context;
    bool m_announce = false;
};

} // namespace rt
