#include "planning/AirspaceChoice.h"
#include "planning/frmLuftraumSettings.h"
#include "planning/frmPlanung.h"

#include "core/windows/FrameFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

using windowstest::FrameFixture;

// --- The choice on closing ------------------------------------------------------------------

TEST(AirspaceDialogClosing, OptionAndTypedAltitudeBecomeTheChoice)
{
    using tv::PlanAirspaceChoice;
    using A = PlanAirspaceChoice::Airspaces;
    const PlanAirspaceChoice before = PlanAirspaceChoice::atAltitude(3000);
    struct Case
    {
        std::optional<A> option;
        const char* typed;
        PlanAirspaceChoice want;
    };
    const Case cases[] = {
        {A::All, "3000", PlanAirspaceChoice::all()},
        {A::None, "3000", PlanAirspaceChoice::none()},
        {std::nullopt, "5000", before}, // no option selected: the airspaces stay
        {A::AtAltitude, "2500", PlanAirspaceChoice::atAltitude(2500)},
        {A::AtAltitude, "0", PlanAirspaceChoice::atAltitude(0)},
        {A::AtAltitude, " 3500 ", PlanAirspaceChoice::atAltitude(3500)},
        {A::AtAltitude, "32767", PlanAirspaceChoice::atAltitude(32767)},
        // Anything else shows no airspaces.
        {A::AtAltitude, "abc", PlanAirspaceChoice::none()},
        {A::AtAltitude, "-500", PlanAirspaceChoice::none()},
        {A::AtAltitude, "", PlanAirspaceChoice::none()},
        {A::AtAltitude, "2500.5", PlanAirspaceChoice::none()},
        {A::AtAltitude, "32768", PlanAirspaceChoice::none()}, // could not be read back
        {A::AtAltitude, "99999999999", PlanAirspaceChoice::none()},
        {A::AtAltitude, "1e3", PlanAirspaceChoice::none()},
    };
    for (const Case& c : cases) {
        for (const bool circuits : {false, true}) {
            PlanAirspaceChoice want = c.want;
            want.circuits = circuits;
            EXPECT_EQ(tv::airspaceChoiceOnClose(before, c.option, c.typed, circuits), want)
                << c.typed << (circuits ? " with circuits" : "");
        }
    }
}

// --- The dialog with the plan window --------------------------------------------------------

class AirspaceDialog : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        layoutComplete();
    }

    tv::frmPlanung& plan() { return tv::forms().get<tv::frmPlanung>(); }

    // Opens the dialog from the menu on the plan window's choice; `act` plays the pilot.
    void open(const tv::PlanAirspaceChoice& start,
              std::function<void(tv::frmLuftraumSettings&)> act)
    {
        plan().setAirspaceChoice(start);
        onDialog = [act](tv::DialogForm& d) {
            act(static_cast<tv::frmLuftraumSettings&>(d));
            return 0;
        };
        tv::showPlanAirspaceDialog();
    }

    static tv::PlanAirspaceChoice withCircuits(tv::PlanAirspaceChoice choice)
    {
        choice.circuits = true;
        return choice;
    }
};

TEST_F(AirspaceDialog, AllAirspacesOpensOnOptionOneWithThousandFeetAndIsKept)
{
    open(tv::PlanAirspaceChoice::all(), [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.Option1->isChecked());
        EXPECT_FALSE(d.Option2->isChecked());
        EXPECT_FALSE(d.Option3->isChecked());
        EXPECT_EQ(d.cmbHoehe->currentText(), "1000");
        EXPECT_FALSE(d.chkPL->isChecked());
    });
    EXPECT_EQ(plan().airspaceChoice(), tv::PlanAirspaceChoice::all());
}

TEST_F(AirspaceDialog, StoredAltitudeOpensOnOptionThree)
{
    const tv::PlanAirspaceChoice start = withCircuits(tv::PlanAirspaceChoice::atAltitude(4500));
    open(start, [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.Option3->isChecked());
        EXPECT_EQ(d.cmbHoehe->currentText(), "4500");
        EXPECT_TRUE(d.chkPL->isChecked());
    });
    EXPECT_EQ(plan().airspaceChoice(), start);
}

TEST_F(AirspaceDialog, TypedAltitudeIsWrittenBack)
{
    open(tv::PlanAirspaceChoice::none(), [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.Option2->isChecked());
        d.Option3->click();
        d.cmbHoehe->setEditText(QStringLiteral("2500"));
    });
    EXPECT_EQ(plan().airspaceChoice(), tv::PlanAirspaceChoice::atAltitude(2500));
}

TEST_F(AirspaceDialog, TextNegativeOrTooHighAltitudeShowsNoAirspaces)
{
    for (const QString& typed :
         {QStringLiteral("abc"), QStringLiteral("-500"), QStringLiteral("40000")}) {
        open(tv::PlanAirspaceChoice::atAltitude(3000),
             [typed](tv::frmLuftraumSettings& d) { d.cmbHoehe->setEditText(typed); });
        EXPECT_EQ(plan().airspaceChoice(), tv::PlanAirspaceChoice::none()) << typed.toStdString();
    }
}

TEST_F(AirspaceDialog, OneOptionAtATime)
{
    open(tv::PlanAirspaceChoice::all(), [](tv::frmLuftraumSettings& d) {
        d.Option2->click();
        EXPECT_FALSE(d.Option1->isChecked());
        EXPECT_TRUE(d.Option2->isChecked());
        d.Option3->click();
        EXPECT_FALSE(d.Option2->isChecked());
        EXPECT_TRUE(d.Option3->isChecked());
        d.Option1->click();
    });
    EXPECT_EQ(plan().airspaceChoice(), tv::PlanAirspaceChoice::all());
}

TEST_F(AirspaceDialog, UntickingCircuitsTurnsThemOff)
{
    open(withCircuits(tv::PlanAirspaceChoice::all()), [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.chkPL->isChecked());
        d.chkPL->click();
    });
    EXPECT_FALSE(plan().airspaceChoice().circuits);
}

TEST_F(AirspaceDialog, EnterInTheAltitudeBoxClosesAndWrites)
{
    bool gone = false;
    open(tv::PlanAirspaceChoice::none(), [&gone](tv::frmLuftraumSettings& d) {
        d.show();
        d.Option3->click();
        d.cmbHoehe->setEditText(QStringLiteral("5500"));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(d.cmbHoehe->lineEdit(), &press);
        gone = tv::forms().find<tv::frmLuftraumSettings>() == nullptr;
    });
    EXPECT_TRUE(gone);
    EXPECT_EQ(plan().airspaceChoice(), tv::PlanAirspaceChoice::atAltitude(5500));
}

TEST_F(AirspaceDialog, CloseBoxWritesToo)
{
    open(tv::PlanAirspaceChoice::none(), [](tv::frmLuftraumSettings& d) {
        d.show();
        d.Option1->click();
        d.chkPL->click();
        d.close();
    });
    EXPECT_EQ(plan().airspaceChoice(), withCircuits(tv::PlanAirspaceChoice::all()));
}

TEST_F(AirspaceDialog, EditsAChoiceWithoutLoadingThePlanWindow)
{
    tv::PlanAirspaceChoice choice = withCircuits(tv::PlanAirspaceChoice::atAltitude(4500));
    onDialog = [](tv::DialogForm& d) {
        auto& dialog = static_cast<tv::frmLuftraumSettings&>(d);
        EXPECT_TRUE(dialog.Option3->isChecked());
        EXPECT_EQ(dialog.cmbHoehe->currentText(), "4500");
        EXPECT_TRUE(dialog.chkPL->isChecked());
        dialog.Option2->click();
        dialog.chkPL->click();
        return 0;
    };
    tv::showAirspaceDialog(choice);
    EXPECT_EQ(choice, tv::PlanAirspaceChoice::none());
    EXPECT_EQ(tv::forms().find<tv::frmPlanung>(), nullptr);
}

TEST_F(AirspaceDialog, PlanWindowGoneBeforeTheDialogClosesIsNotBroughtBack)
{
    plan().setAirspaceChoice(tv::PlanAirspaceChoice::none());
    onDialog = [](tv::DialogForm& d) {
        QPointer<tv::frmPlanung> planWindow = tv::forms().find<tv::frmPlanung>();
        tv::forms().unload(planWindow); // the program ends
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(planWindow.isNull());
        static_cast<tv::frmLuftraumSettings&>(d).Option1->click();
        return 0;
    };
    tv::showPlanAirspaceDialog();
    EXPECT_EQ(tv::forms().find<tv::frmPlanung>(), nullptr);
}
