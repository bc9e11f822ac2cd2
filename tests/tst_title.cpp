#include "forms/game/frmGame.h"
#include "forms/instances.h"
#include "forms/title/frmVorlan.h"
#include "program_setup.h"
#include "runtime/font.h"
#include "runtime/units.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include <cstdlib>

namespace {

// Clicks the form where a player would: on whatever takes the mouse at that point.
void clickAt(rt::Form& form, int xTwips, int yTwips)
{
    QWidget* surface = form.widget();
    const QPoint point(rt::twipsToPixels(xTwips), rt::twipsToPixels(yTwips));
    QWidget* target = surface->childAt(point);
    if (!target)
        target = surface;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(surface, point));
}

template <class Test> int countPixels(const QImage& image, const QRect& area, Test test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y));
    return count;
}

int countNear(const QImage& image, const QRect& area, QRgb colour)
{
    return countPixels(image, area, [colour](QRgb p) {
        return std::abs(qRed(p) - qRed(colour)) + std::abs(qGreen(p) - qGreen(colour)) +
                   std::abs(qBlue(p) - qBlue(colour)) <
               12;
    });
}

bool isCrimson(QRgb p)
{
    return qRed(p) > 70 && qGreen(p) < 50 && qBlue(p) < 50;
}

const QRgb kPurple = qRgb(62, 52, 104);
const QRgb kGrey = qRgb(171, 171, 171);
const QRgb kGold = qRgb(244, 209, 11);

} // namespace

class TestTitle : public QObject
{
    Q_OBJECT

    const GameProgram program;

private slots:
    void init();
    void cleanup();
    void clicks_data();
    void clicks();
    void keysAndThePressAction_data();
    void keysAndThePressAction();
    void whatThePlayerSees();
    void textsAreHeavyAndSizedInTwips();
    void screenReadersCanReadEveryControl();
};

void TestTitle::init()
{
    forms::instances::frmVorlan().Show();
    QVERIFY(QTest::qWaitForWindowExposed(forms::instances::frmVorlan().widget()));
}

void TestTitle::cleanup()
{
    forms::instances::releaseForms();
}

void TestTitle::clicks_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("opensGame");

    QTest::newRow("the words Vorlan Cup 2001") << 2800 << 400 << false;
    QTest::newRow("the label's empty end") << 5300 << 800 << false;
    QTest::newRow("the words Click to Guess") << 1500 << 3600 << false;
    QTest::newRow("below the words, inside the label") << 2800 << 4400 << false;
    QTest::newRow("home emblem") << 1400 << 2100 << false;
    QTest::newRow("home emblem's corner") << 490 << 1210 << false;
    QTest::newRow("visiting emblem") << 4100 << 2100 << false;
    QTest::newRow("visiting emblem's background") << 5200 << 3270 << false;

    QTest::newRow("purple panel beside the emblem") << 240 << 2100 << true;
    QTest::newRow("purple panel between emblem and label") << 1400 << 3200 << true;
    QTest::newRow("bottom band, purple") << 1000 << 5000 << true;
    QTest::newRow("bottom band, grey") << 4000 << 5000 << true;
    QTest::newRow("grey right margin") << 5460 << 2100 << true;
    QTest::newRow("grey between emblem and title") << 4100 << 900 << true;
    QTest::newRow("just below the label") << 2800 << 4460 << true;
}

void TestTitle::clicks()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, opensGame);

    forms::frmVorlan& title = forms::instances::frmVorlan();
    clickAt(title, x, y);

    QCOMPARE(forms::instances::frmGameExists(), opensGame);
    QCOMPARE(title.Visible(), !opensGame);
    QCOMPARE(title.Enabled(), !opensGame);
    if (!opensGame)
        return;
    forms::frmGame& game = forms::instances::frmGame();
    QVERIFY(game.Visible());
    QVERIFY(QTest::qWaitForWindowExposed(game.widget()));
    QCOMPARE(game.widget()->windowTitle(), QStringLiteral("Vorlan Cup 2001"));
    QCOMPARE(game.ScaleWidth(), 11010.0f);
    QCOMPARE(game.ScaleHeight(), 8070.0f);

    // The title form is put away for good: it takes no more clicks.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not accepted by receiving widget"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not accepted by receiving widget"));
    clickAt(title, x, y);
    QCOMPARE(&forms::instances::frmGame(), &game);
    QVERIFY(!title.Visible());
}

void TestTitle::keysAndThePressAction_data()
{
    QTest::addColumn<int>("key"); // 0: the screen reader's press action
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("press action") << 0;
}

// Without a mouse the title opens the game as a click on its band does.
void TestTitle::keysAndThePressAction()
{
    QFETCH(int, key);
    forms::frmVorlan& title = forms::instances::frmVorlan();
    QWidget* surface = title.widget();
    QTest::keyClick(surface, Qt::Key_Tab);
    QTest::keyClick(surface, Qt::Key_Escape);
    // A held key's repeat is no new press.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(surface, &repeat);
    QVERIFY(!forms::instances::frmGameExists());

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(surface);
    QVERIFY(window->actionInterface());
    QVERIFY(window->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    QCOMPARE(window->text(QAccessible::Description),
             QStringLiteral("Press Enter, or click the window, to start guessing"));
    if (key)
        QTest::keyPress(surface, Qt::Key(key)); // the title is put away before any release
    else
        window->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(forms::instances::frmGameExists());
    QVERIFY(!title.Visible());
    QVERIFY(!title.Enabled());
    QVERIFY(forms::instances::frmGame().Visible());

    // The game screen has a default button: it offers no press action of its own.
    QAccessibleInterface* game =
        QAccessible::queryAccessibleInterface(forms::instances::frmGame().widget());
    QVERIFY(!game->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
}

void TestTitle::whatThePlayerSees()
{
    forms::frmVorlan& title = forms::instances::frmVorlan();
    QCOMPARE(title.widget()->windowTitle(), QStringLiteral("Vorlan Cup 2001"));
    QCOMPARE(title.ScaleWidth(), 5535.0f);
    QCOMPARE(title.ScaleHeight(), 5250.0f);

    const QImage screen = title.widget()->grab().toImage();
    // The purple panel on the left, full height; grey to its right.
    QCOMPARE(screen.pixel(5, 345), kPurple);
    QCOMPARE(screen.pixel(192, 345), kPurple);
    QCOMPARE(screen.pixel(193, 345), kGrey);
    QCOMPARE(screen.pixel(368, 5), kGrey);
    // Both emblems merge with what they lie on.
    QCOMPARE(screen.pixel(33, 81), kPurple);
    QCOMPARE(screen.pixel(209, 65), kGrey);
    QVERIFY(countNear(screen, QRect(40, 90, 60, 60), kPurple) < 2500);
    QVERIFY(countPixels(screen, QRect(215, 80, 60, 60), isCrimson) > 1200);
    // Gold words over both halves: the labels lie above the panel.
    QVERIFY(countNear(screen, QRect(8, 8, 180, 49), kGold) > 200);
    QVERIFY(countNear(screen, QRect(193, 8, 160, 49), kGold) > 200);
    QVERIFY(countNear(screen, QRect(8, 224, 180, 73), kGold) > 200);
    QVERIFY(countNear(screen, QRect(193, 224, 160, 73), kGold) > 200);
}

void TestTitle::textsAreHeavyAndSizedInTwips()
{
    const auto* words =
        forms::instances::frmVorlan().widget()->findChild<QLabel*>("lblClickToGuess");
    const auto* name = forms::instances::frmVorlan().widget()->findChild<QLabel*>("lblVorlanCup");
    QVERIFY(words && name);
    QCOMPARE(words->font().pixelSize(), 29); // 21.75 pt at 20 twips a point, 15 a pixel
    QCOMPARE(name->font().pixelSize(), 35);  // 26.25 pt
    QVERIFY(name->font().italic());
    QVERIFY(!words->font().italic());
    const QFontInfo used(words->font());
    QCOMPARE(used.family(), rt::fontFamily());
    QVERIFY2(used.weight() >= QFont::Bold, qPrintable(used.styleName()));
    if (rt::fontFamily() != QLatin1String("Arial Black"))
        QCOMPARE(QFontInfo(name->font()).styleName(), QStringLiteral("Black Italic"));
}

void TestTitle::screenReadersCanReadEveryControl()
{
    QWidget* surface = forms::instances::frmVorlan().widget();
    const QStringList expected{"Image1", "Image2", "lblClickToGuess", "lblVorlanCup",
                               "shpBackground"};
    for (const QString& name : expected) {
        QWidget* control = surface->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(name));
        if (!name.startsWith(QLatin1String("lbl")))
            QCOMPARE(accessible->role(), QAccessible::Graphic);
    }
    QAccessibleInterface* words =
        QAccessible::queryAccessibleInterface(surface->findChild<QWidget*>("lblClickToGuess"));
    QCOMPARE(words->text(QAccessible::Name), QStringLiteral("Click to Guess the Results"));
}

QTEST_MAIN(TestTitle)
#include "tst_title.moc"
