#pragma once

#include "runtime/control.h"

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

class QLabel;

namespace rt {

class FormWidget;

// A label as designed. Positions and sizes in twips.
struct LabelRow
{
    const char* name = "";
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
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

// A label's area of its form as the build drew it ahead of time (background, what lies beneath
// and the text), at one device pixel ratio, with the font family it was drawn in. Showing it
// spares the first frame the font database; it stands only where it matches the label.
struct PrerenderedText
{
    const char* control;
    const char* text;
    const char* family;
    int ratio;
    // In device pixels.
    int width;
    int height;
    // The pixels row after row, as runs of one colour: a length, then an RGB colour.
    std::span<const std::uint32_t> runs;
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

    // The drawings that labels built from now on show for their first frame where one matches
    // them; the program gives them before it builds its first form.
    static void usePrerendered(std::vector<std::span<const PrerenderedText>> texts);

private:
    class PrerenderedPaint;

    void name();
    void checkPrerendered();
    bool dropPrerendered();

    QLabel* m_label = nullptr;
    FontSpec m_font;
    // The drawing the label shows until its first frame is out; a child of the label.
    PrerenderedPaint* m_prerendered = nullptr;
    FormWidget* m_form = nullptr;
    QString m_context;
    bool m_announce = false;
};

} // namespace rt
