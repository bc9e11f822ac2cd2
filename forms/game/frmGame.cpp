#include "frmGame.h"

namespace forms {
namespace {

constexpr rt::FormDesign kDesign{
    .caption = "Vorlan Cup 2001",
    .clientWidth = 11010,
    .clientHeight = 8070,
    .backColor = rt::SystemColor::ButtonFace,
    .fillStyle = rt::FillStyle::Solid,
    .controls = {},
};

} // namespace

frmGame::frmGame() : rt::Form(kDesign) {}

} // namespace forms
