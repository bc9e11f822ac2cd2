#include "frmVorlan.h"

#include "app/instances.h"
#include "forms/game/frmGame.h"

namespace forms {
namespace {

using rt::ControlKind;
using rt::FontSpec;
namespace colors = rt::colors;

// Front to back.
constexpr rt::ControlRow kControls[] = {
    {.kind = ControlKind::Image,
     .name = "Image2",
     .left = 480,
     .top = 1200,
     .width = 1935,
     .height = 1815,
     .picture = "tolveys-emblem",
     .stretch = true,
     .description = "Tolveys emblem: a gold animal head in profile"},
    {.kind = ControlKind::Image,
     .name = "Image1",
     .left = 3120,
     .top = 960,
     .width = 2100,
     .height = 2325,
     .picture = "falders-emblem",
     .description = "Falders emblem: a crimson shield"},
    {.kind = ControlKind::Label,
     .name = "lblClickToGuess",
     .left = 120,
     .top = 3360,
     .width = 5295,
     .height = 1095,
     .text = "Click to Guess the Results",
     .font = FontSpec{21.75, 400, false},
     .foreColor = colors::gold,
     .backStyle = rt::BackStyle::Transparent},
    {.kind = ControlKind::Label,
     .name = "lblVorlanCup",
     .left = 120,
     .top = 120,
     .width = 5295,
     .height = 735,
     .text = "Vorlan Cup 2001",
     .font = FontSpec{26.25, 700, true},
     .foreColor = colors::gold,
     .backStyle = rt::BackStyle::Transparent},
    {.kind = ControlKind::Shape,
     .name = "shpBackground",
     .left = 0,
     .top = 0,
     .width = 2895,
     .height = 5295,
     .backColor = colors::purple,
     .description = "Tolveys purple panel"},
};

constexpr rt::FormDesign kDesign{
    .caption = "Vorlan Cup 2001",
    .clientWidth = 5535,
    .clientHeight = 5250,
    .backColor = colors::grey,
    .controls = kControls,
};

} // namespace

frmVorlan::frmVorlan()
    : rt::Form(kDesign)
{}

void frmVorlan::Form_Click()
{
    app::frmGame().Show();
    app::frmVorlan().Hide();
    app::frmVorlan().setEnabled(false);
}

} // namespace forms
