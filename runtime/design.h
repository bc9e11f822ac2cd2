#pragma once

#include "runtime/core/color.h"

namespace rt {

// A colour in a form's design: the runtime's default for the control, a fixed RGB value,
// or one of the desktop's system colours.
enum class SystemColor { ButtonFace, ButtonText, WindowText, CaptionText };

struct ColorSpec
{
    enum class Kind { Default, Rgb, System };

    constexpr ColorSpec() = default;
    constexpr ColorSpec(Color color)
        : kind(Kind::Rgb),
          rgb(color)
    {}
    constexpr ColorSpec(SystemColor color)
        : kind(Kind::System),
          system(color)
    {}

    Kind kind = Kind::Default;
    Color rgb;
    SystemColor system = SystemColor::ButtonFace;
};

// Where a control lies on its form, in twips.
struct Placement
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Sizes in points; drawn at 20 twips per point.
struct FontSpec
{
    double points = 0;
    int weight = 400;
    bool italic = false;
};

// What a form's `Line` draws: a line between two points, or a box with those corners.
enum class LineKind { Line, Box };

enum class BackStyle { Opaque, Transparent };
enum class FillStyle { Solid, Transparent };

// A form as designed, without its controls (each form binds those to its members). Sizes in
// twips.
struct FormDesign
{
    const char* caption;
    int clientWidth;
    int clientHeight;
    ColorSpec backColor{};
    FillStyle fillStyle = FillStyle::Transparent;
    // What a screen reader says of the window, beyond its title.
    const char* description = nullptr;
};

} // namespace rt
