#pragma once

#include "runtime/core/integer.h"
#include "runtime/form.h"

#include <span>

namespace forms {

// The state of the game; every value a 16-bit integer that refuses to overflow.
struct frmGameState
{
    rt::Integer intFieldLeft{};
    rt::Integer intFieldTop{};
    rt::Integer intQuarter{};
    rt::Integer intClicks{};
    rt::Integer intTolveyScore{};
    rt::Integer intFaldScore{};
    rt::Integer intTolveyLeft{};
    rt::Integer intFaldLeft{};
    rt::Integer intFaldQ1{};
    rt::Integer intFaldQ2{};
    rt::Integer intFaldQ3{};
    rt::Integer intTolveyQ1{};
    rt::Integer intTolveyQ2{};
    rt::Integer intTolveyQ3{};
    rt::Integer intFaldQ4{};
    rt::Integer intTolveyQ4{};
    rt::Integer intDelayOuter{};
    rt::Integer intDelayInner{};
    rt::Integer intTicks{};

    friend bool operator==(const frmGameState&, const frmGameState&) = default;
};

// The game screen: the score entry, the score table, the field with a marker for each team,
// and the celebration at the end.
class frmGame : public rt::Form, private frmGameState
{
public:
    frmGame();

protected:
    void Form_Load() override;

private:
    void cmdOK_Click();
    void FirstClick();
    void QuarterStep();
    void Finish();
    void tmrRandom_Timer();
    void DrawField();
    void DrawYardLines(const rt::Integer& x1, const rt::Integer& y1, const rt::Integer& x2,
                       float y2);
    void PlaceWinImage(const rt::Integer& top, const rt::Integer& left);

    // The design table: every control below with its design, front to back.
    static std::span<const rt::ControlRow<frmGame>> controls();

    // The controls, as the design table names them.
    rt::Timer tmrRandom;
    rt::CommandButton cmdOK;
    rt::TextBox txtFaldScore;
    rt::TextBox txtTolveyScore;
    rt::Image imgSeal;
    rt::Label lbl7;
    rt::Label lbl8;
    rt::LineControl lnLine;
    rt::Image imgTolveysWin;
    rt::Label lblTolveyScore;
    rt::Label lblFaldScore;
    rt::Label lbl1;
    rt::Label lbl4;
    rt::Label lbl5;
    rt::Label lblFalScore;
    rt::Label lbl3;
    rt::Label lblTolScore;
    rt::Label lbl6;
    rt::Label lbl2;
    rt::Image imgFald;
    rt::Image imgTolvey;
    rt::Label lblInstructions;
    rt::Label lblQuarterLabel;
    rt::Label lblQuarter;
    rt::Label lblEnter;
    rt::Label lblFalds;
    rt::Label lblTolveys;

    // Lets the tests read the state.
    friend struct frmGameProbe;
};

} // namespace forms
