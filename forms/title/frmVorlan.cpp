#include "frmVorlan.h"

#include "forms/game/frmGame.h"
#include "forms/instances.h"
#include "forms/palette.h"

namespace forms {
namespace {

using rt::FontSpec;
using Row = rt::ControlRow<frmVorlan>;

constexpr rt::FormDesign kDesign{
    .caption = "Vorlan Cup 2001",
    .clientWidth = 5535,
    .clientHeight = 5250,
    .backColor = palette::grey,
    .description = "Press Enter, or click the window, to start guessing",
};

} // namespace

std::span<const Row> frmVorlan::controls()
{
    static constexpr Row kControls[] = {
        rt::bind(&frmVorlan::Image2,
                 {.name = "Image2",
                  .at = {480, 1200, 1935, 1815},
                  .picture = ":/pictures/tolveys-emblem.png",
                  .stretch = true,
                  .description = "Tolveys emblem: a gold animal head in profile"}),
        rt::bind(&frmVorlan::Image1, {.name = "Image1",
                                      .at = {3120, 960, 2100, 2325},
                                      .picture = ":/pictures/falders-emblem.png",
                                      .description = "Falders emblem: a crimson shield"}),
        rt::bind(&frmVorlan::lblClickToGuess, {.name = "lblClickToGuess",
                                               .at = {120, 3360, 5295, 1095},
                                               .text = "Click to Guess the Results",
                                               .font = FontSpec{21.75, 400, false},
                                               .foreColor = palette::gold,
                                               .backStyle = rt::BackStyle::Transparent}),
        rt::bind(&frmVorlan::lblVorlanCup, {.name = "lblVorlanCup",
                                            .at = {120, 120, 5295, 735},
                                            .text = "Vorlan Cup 2001",
                                            .font = FontSpec{26.25, 700, true},
                                            .foreColor = palette::gold,
                                            .backStyle = rt::BackStyle::Transparent}),
        rt::bind(&frmVorlan::shpBackground, {.name = "shpBackground",
                                             .at = {0, 0, 2895, 5295},
                                             .backColor = palette::purple,
                                             .description = "Tolveys purple panel"}),
    };
    return kControls;
}

frmVorlan::frmVorlan()
    : rt::Form(kDesign)
{
    build(*this, controls());
}

void frmVorlan::Form_Click()
{
    instances::frmGame().Show();
    instances::frmVorlan().Hide();
    instances::frmVorlan().setEnabled(false);
}

} // namespace forms
