#pragma once

#include "color.h"

#include <span>

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

// Sizes in points; drawn at 20 twips per point.
struct FontSpec
{
    double points = 0;
    int weight = 400;
    bool italic = false;
};

enum class ControlKind { Label, TextBox, CommandButton, Timer, Image, Shape, Line };
enum class BackStyle { Opaque, Transparent };
enum class FillStyle { Solid, Transparent };

struct LineEnds
{
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// One control of a form as designed. Positions and sizes in twips.
struct ControlRow
{
    ControlKind kind = ControlKind::Label;
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
    // Images: the picture's resource name (":/assets/<picture>.png", with an @2x sibling).
    const char* picture = nullptr;
    bool stretch = false;
    // What a screen reader says for a control that shows no text.
    const char* description = nullptr;
    LineEnds line{};
    // Text boxes and buttons: their place in the focus order (from 0), and whether Enter
    // anywhere on the form presses the button.
    int tabIndex = -1;
    bool isDefault = false;
};

struct FormDesign
{
    const char* caption;
    int clientWidth;
    int clientHeight;
    ColorSpec backColor{};
    FillStyle fillStyle = FillStyle::Transparent;
    std::span<const ControlRow> controls;
};

} // namespace rt
