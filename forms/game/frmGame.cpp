#include "frmGame.h"

#include "forms/instances.h"
#include "forms/palette.h"
#include "runtime/core/convert.h"
#include "runtime/core/random.h"
#include "runtime/msgbox.h"

#include <algorithm>
#include <cstdint>

namespace forms {
namespace {

using rt::BackStyle;
using rt::FontSpec;
using rt::LineKind;
using rt::SystemColor;
using Row = rt::ControlRow<frmGame>;

constexpr FontSpec kCell{12, 700, false};
constexpr FontSpec kHeading{15.75, 700, false};
constexpr FontSpec kTeamName{20.25, 700, true};

// A cell of the score table: 495 twips square. A screen reader names its row and column.
constexpr rt::LabelRow cell(const char* name, int left, int top, const char* context,
                            FontSpec font = kCell)
{
    return {.name = name, .at = {left, top, 495, 495}, .font = font, .context = context};
}

constexpr rt::LabelRow transparent(rt::LabelRow row)
{
    row.backStyle = BackStyle::Transparent;
    return row;
}

constexpr rt::LabelRow withText(rt::LabelRow row, const char* text)
{
    row.text = text;
    return row;
}

// A column's heading: a screen reader names the column.
constexpr rt::LabelRow heading(rt::LabelRow row, const char* description)
{
    row.description = description;
    return row;
}

// A total: in red, and told to a screen reader as soon as it is written.
constexpr rt::LabelRow total(rt::LabelRow row)
{
    row.foreColor = palette::red;
    row.announce = true;
    return row;
}

constexpr rt::FormDesign kDesign{
    .caption = "Vorlan Cup 2001",
    .clientWidth = 11010,
    .clientHeight = 8070,
    .backColor = SystemColor::ButtonFace,
    .fillStyle = rt::FillStyle::Solid,
};

} // namespace

std::span<const Row> frmGame::controls()
{
    static constexpr Row kControls[] = {
        rt::bind(&frmGame::tmrRandom, {.name = "tmrRandom"}),
        rt::bind(&frmGame::cmdOK, {.name = "cmdOK",
                                   .at = {5400, 6240, 975, 735},
                                   .text = "OK",
                                   .font = kHeading,
                                   .tabIndex = 2,
                                   .isDefault = true}),
        rt::bind(&frmGame::txtFaldScore, {.name = "txtFaldScore",
                                          .at = {2880, 6000, 1815, 1215},
                                          .text = "0",
                                          .font = {39.75, 700, false},
                                          .foreColor = palette::grey,
                                          .backColor = palette::crimson,
                                          .visible = false,
                                          .description = "Falders score",
                                          .tabIndex = 1}),
        rt::bind(&frmGame::txtTolveyScore, {.name = "txtTolveyScore",
                                            .at = {480, 6000, 1815, 1215},
                                            .text = "0",
                                            .font = {39.75, 700, false},
                                            .foreColor = palette::gold,
                                            .backColor = palette::purple,
                                            .visible = false,
                                            .description = "Tolveys score",
                                            .tabIndex = 0}),
        rt::bind(&frmGame::imgSeal,
                 {.name = "imgSeal",
                  .at = {3840, 2280, 3240, 3240},
                  .visible = false,
                  .picture = ":/pictures/seal.png",
                  .description = "The champions' seal: Vorlan Cup, Tolveys 2001"}),
        rt::bind(&frmGame::lbl7, cell("lbl7", 10080, 6720, "Quarter 4, Falders")),
        rt::bind(&frmGame::lbl8, cell("lbl8", 9240, 6720, "Quarter 4, Tolveys")),
        rt::bind(&frmGame::lnLine, {.name = "lnLine",
                                    .foreColor = SystemColor::WindowText,
                                    .visible = false,
                                    .description = "Sum line of the score table",
                                    .x1 = 9120,
                                    .y1 = 7320,
                                    .x2 = 10680,
                                    .y2 = 7320}),
        rt::bind(&frmGame::imgTolveysWin, {.name = "imgTolveysWin",
                                           .at = {5520, 6240, 750, 750},
                                           .picture = ":/pictures/tolveys-win.png",
                                           .description = "The Tolveys win: their wolf's head"}),
        rt::bind(&frmGame::lblTolveyScore,
                 transparent(withText(heading(cell("lblTolveyScore", 9240, 4320, nullptr, kHeading),
                                              "Tolveys column"),
                                      "T"))),
        rt::bind(&frmGame::lblFaldScore,
                 transparent(withText(heading(cell("lblFaldScore", 10080, 4320, nullptr, kHeading),
                                              "Falders column"),
                                      "F"))),
        rt::bind(&frmGame::lbl1, transparent(cell("lbl1", 10080, 4920, "Quarter 1, Falders"))),
        rt::bind(&frmGame::lbl4, cell("lbl4", 9240, 5520, "Quarter 2, Tolveys")),
        rt::bind(&frmGame::lbl5, cell("lbl5", 10080, 6120, "Quarter 3, Falders")),
        rt::bind(&frmGame::lblFalScore, total(cell("lblFalScore", 10080, 7440, "Total, Falders"))),
        rt::bind(&frmGame::lbl3, cell("lbl3", 10080, 5520, "Quarter 2, Falders")),
        rt::bind(&frmGame::lblTolScore, total(cell("lblTolScore", 9240, 7440, "Total, Tolveys"))),
        rt::bind(&frmGame::lbl6, cell("lbl6", 9240, 6120, "Quarter 3, Tolveys")),
        rt::bind(&frmGame::lbl2, transparent(cell("lbl2", 9240, 4920, "Quarter 1, Tolveys"))),
        rt::bind(&frmGame::imgFald, {.name = "imgFald",
                                     .at = {840, 1080, 1080, 1065},
                                     .visible = false,
                                     .picture = ":/pictures/falders-marker.png",
                                     .description = "The Falders' marker"}),
        rt::bind(&frmGame::imgTolvey, {.name = "imgTolvey",
                                       .at = {840, 3240, 1080, 960},
                                       .visible = false,
                                       .picture = ":/pictures/tolveys-marker.png",
                                       .description = "The Tolveys' marker"}),
        rt::bind(&frmGame::lblInstructions, {.name = "lblInstructions",
                                             .at = {3360, 6960, 5055, 1215},
                                             .text = "Click the OK button to Start",
                                             .font = {21.75, 700, true},
                                             .backStyle = BackStyle::Transparent}),
        rt::bind(&frmGame::lblQuarterLabel, {.name = "lblQuarterLabel",
                                             .at = {7320, 5760, 1935, 495},
                                             .text = "Quarter",
                                             .font = {15.75, 700, true},
                                             .backStyle = BackStyle::Transparent,
                                             .visible = false}),
        rt::bind(&frmGame::lblQuarter, {.name = "lblQuarter",
                                        .at = {7920, 6240, 735, 615},
                                        .text = "1",
                                        .font = {20.25, 700, false},
                                        .backColor = SystemColor::CaptionText,
                                        .visible = false,
                                        .context = "Quarter"}),
        rt::bind(&frmGame::lblEnter, {.name = "lblEnter",
                                      .at = {480, 7320, 4215, 735},
                                      .text = "Please enter what you guess the score will be",
                                      .font = {12, 400, false},
                                      .backStyle = BackStyle::Transparent,
                                      .visible = false}),
        rt::bind(&frmGame::lblFalds, {.name = "lblFalds",
                                      .at = {2760, 5400, 2055, 615},
                                      .text = "Falders",
                                      .font = kTeamName,
                                      .backStyle = BackStyle::Transparent,
                                      .visible = false}),
        rt::bind(&frmGame::lblTolveys, {.name = "lblTolveys",
                                        .at = {360, 5400, 2055, 495},
                                        .text = "Tolveys",
                                        .font = kTeamName,
                                        .backStyle = BackStyle::Transparent,
                                        .visible = false}),
    };
    return kControls;
}

frmGame::frmGame()
    : rt::Form(kDesign)
{
    build(*this, controls());
    cmdOK.onClick([this] { cmdOK_Click(); });
    tmrRandom.onTimer([this] { tmrRandom_Timer(); });
}

void frmGame::Form_Load()
{
    intQuarter = 1;
    intTolveyLeft = 840;
    intFaldLeft = 840;
    lblTolveyScore.setVisible(false);
    lblFaldScore.setVisible(false);
    intDelayOuter = 0;
    intDelayInner = 0;
    intTicks = 0;
}

// The OK button drives the game: the first click starts it, every later one takes the guess
// for the current quarter.
void frmGame::cmdOK_Click()
{
    try {
        intClicks += 1;
        intTolveyScore = rt::textToInteger(txtTolveyScore.Text());
        intFaldScore = rt::textToInteger(txtFaldScore.Text());
        if (intClicks == 1) {
            FirstClick();
            return;
        }

        if (!(intFaldScore < intTolveyScore)) {
            txtFaldScore.setText(QString());
            txtTolveyScore.setText(QString());
            rt::rtcMsgBox(QStringLiteral("Yeah right, put in a real score"));
            return;
        }
        if (intTolveyScore > 99) {
            rt::rtcMsgBox(QStringLiteral("We're going to kick their ass, but not that badly."));
            txtTolveyScore.setText(rt::integerToText(0));
            txtFaldScore.setText(rt::integerToText(0));
            return;
        }
        if (rt::textToDouble(lblQuarter.Caption()) == 4)
            Finish();
        else
            QuarterStep();
    } catch (const rt::RuntimeError&) {
        // Every error of the click ends here. An error raised in here is not caught again.
        rt::rtcMsgBox(QStringLiteral("How can a score be a letter?"));
        txtFaldScore.SetFocus();
        txtFaldScore.setText(QString());
        txtTolveyScore.setText(QString());
    }
}

void frmGame::FirstClick()
{
    lblTolveys.setVisible(true);
    lblFalds.setVisible(true);
    lblQuarter.setVisible(true);
    lblQuarterLabel.setVisible(true);
    lblEnter.setVisible(true);
    lblInstructions.setVisible(false);
    txtTolveyScore.setVisible(true);
    txtFaldScore.setVisible(true);
    imgTolvey.setVisible(true);
    imgFald.setVisible(true);
    lblTolveyScore.setVisible(true);
    lblFaldScore.setVisible(true);
    intFieldLeft = 500;
    intFieldTop = 500;
    DrawField();
}

void frmGame::QuarterStep()
{
    intTolveyLeft += 2600;
    intFaldLeft += 1250;
    intQuarter += 1;

    // File the quarter just left, as typed in the boxes.
    if (intQuarter == 2) {
        lbl1.setCaption(txtFaldScore.Text());
        intFaldQ1 = rt::textToInteger(txtFaldScore.Text());
        lbl2.setCaption(txtTolveyScore.Text());
        intTolveyQ1 = rt::textToInteger(txtTolveyScore.Text());
    } else if (intQuarter == 3) {
        lbl3.setCaption(txtFaldScore.Text());
        intFaldQ2 = rt::textToInteger(txtFaldScore.Text());
        lbl4.setCaption(txtTolveyScore.Text());
        intTolveyQ2 = rt::textToInteger(txtTolveyScore.Text());
    } else if (intQuarter == 4) {
        lbl5.setCaption(txtFaldScore.Text());
        intFaldQ3 = rt::textToInteger(txtFaldScore.Text());
        lbl6.setCaption(txtTolveyScore.Text());
        intTolveyQ3 = rt::textToInteger(txtTolveyScore.Text());
    }

    lblQuarter.setCaption(rt::integerToText(intQuarter));
    imgTolvey.setLeft(float(intTolveyLeft));
    imgFald.setLeft(float(intFaldLeft));
    txtTolveyScore.setText(rt::integerToText(0));
    txtFaldScore.setText(rt::integerToText(0));
}

void frmGame::Finish()
{
    tmrRandom.setInterval(200);
    lnLine.setVisible(true);
    lbl8.setCaption(txtTolveyScore.Text());
    intTolveyQ4 = rt::textToInteger(txtTolveyScore.Text());
    lbl7.setCaption(txtFaldScore.Text());
    intFaldQ4 = rt::textToInteger(txtFaldScore.Text());
    lblFalScore.setCaption(rt::integerToText(intFaldQ1 + intFaldQ2 + intFaldQ3 + intFaldQ4));
    lblTolScore.setCaption(
        rt::integerToText(intTolveyQ1 + intTolveyQ2 + intTolveyQ3 + intTolveyQ4));

    // A pause before the celebration. The inner counter is never set back, so only the first
    // outer pass runs it; both counters stay at 10000 for any later finish.
    while (intDelayOuter < 10000) {
        intDelayOuter += 1;
        while (intDelayInner < 10000) {
            instances::frmGame().setVisible(true);
            intDelayInner += 1;
        }
    }

    tmrRandom.setInterval(25);
    tmrRandom_Timer();
}

// The football field: a green box with a white border, a goal line 2000 twips inside each end
// and a yard line every 1000 twips between them. Drawn once, by the first OK click.
void frmGame::DrawField()
{
    const rt::Color white = palette::fieldWhite;
    setFillColor(palette::fieldGreen);
    Line(LineKind::Box, float(intFieldLeft), float(intFieldTop), ScaleWidth() - 500,
         ScaleHeight() - 3000, white);
    Line(LineKind::Line, float(intFieldLeft + 2000), float(intFieldTop), float(intFieldLeft + 2000),
         ScaleHeight() - 3000, white);
    Line(LineKind::Line, ScaleWidth() - 2500, float(intFieldTop), ScaleWidth() - 2500,
         ScaleHeight() - 3000, white);
    DrawYardLines(intFieldLeft + 3000, intFieldTop, intFieldLeft + 3000, ScaleHeight() - 3000);
}

void frmGame::DrawYardLines(const rt::Integer& x1, const rt::Integer& y1, const rt::Integer& x2,
                            float y2)
{
    const rt::Color white = palette::fieldWhite;
    // The lines end on the field's bottom edge, in single precision like the box and the goal
    // lines: a 16-bit end would overflow on a window taller than 32767 twips.
    // The offset and the line's x are kept wider than 16 bits, so that on a field wider than
    // a 16-bit coordinate reaches the lines still go on to the right goal line.
    for (std::int32_t i = 0; ScaleWidth() - 6000 > float(i); i += 1000)
        Line(LineKind::Line, float(x1) + float(i), float(y1), float(x2) + float(i), float(y2),
             white);
}

void frmGame::tmrRandom_Timer()
{
    intTicks += 1;
    if (intTicks < 75) {
        // A place for the winner image anywhere on the form, the first value deciding the
        // height. The scale stops at 32768 twips, the most that a 16-bit position can hold,
        // so that a very large window can't overflow it; the product is exact in double.
        const auto jump = [](float scale) {
            const float r = rt::rtcRandomNext(1);
            return rt::floorToInteger(double(r) * std::min(double(scale), 32768.0));
        };
        const rt::Integer newTop = jump(ScaleHeight());
        const rt::Integer newLeft = jump(ScaleWidth());
        PlaceWinImage(newTop, newLeft);
        return;
    }

    // The last tick: the seal alone on white.
    tmrRandom.setInterval(0);
    setFillColor(palette::white);
    const float width = ScaleWidth();
    const float height = ScaleHeight();
    Line(LineKind::Box, 0, 0, width, height, palette::white);
    imgSeal.setVisible(true);
    lblTolveys.setVisible(false);
    lblFalds.setVisible(false);
    lblQuarter.setVisible(false);
    lblQuarterLabel.setVisible(false);
    lblEnter.setVisible(false);
    lblInstructions.setVisible(false);
    txtTolveyScore.setVisible(false);
    txtFaldScore.setVisible(false);
    imgTolvey.setVisible(false);
    imgFald.setVisible(false);
    imgTolveysWin.setVisible(false);
    lblTolveyScore.setVisible(false);
    lblFaldScore.setVisible(false);
    cmdOK.setVisible(false);
    lbl1.setVisible(false);
    lbl2.setVisible(false);
    lbl3.setVisible(false);
    lbl4.setVisible(false);
    lbl5.setVisible(false);
    lbl6.setVisible(false);
    lbl7.setVisible(false);
    lbl8.setVisible(false);
    lblTolScore.setVisible(false);
    lblFalScore.setVisible(false);
    lnLine.setVisible(false);
}

void frmGame::PlaceWinImage(const rt::Integer& top, const rt::Integer& left)
{
    imgTolveysWin.setTop(float(top));
    imgTolveysWin.setLeft(float(left));
}

} // namespace forms
