#include "planning/AirspaceChoice.h"
#include "planning/PlanAirspaceDisplay.h"
#include "planning/frmLuftraumSettings.h"
#include "planning/frmPlanung.h"

#include "FrameFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

using windowstest::FrameFixture;

// --- The mapping on its own -----------------------------------------------------------------

TEST(AirspaceDialogOpening, AllAirspacesSelectsTheFirstOption)
{
    const tv::AirspaceDialogStart s = tv::airspaceDialogStart("-99", "0");
    EXPECT_EQ(s.option, tv::AirspaceOption::All);
    EXPECT_FALSE(s.showCircuits);
}

TEST(AirspaceDialogOpening, NoAirspacesSelectsTheSecondOption)
{
    EXPECT_EQ(tv::airspaceDialogStart("-10", "0").option, tv::AirspaceOption::Nothing);
}

TEST(AirspaceDialogOpening, AltitudeIsShownAsStored)
{
    const tv::AirspaceDialogStart s = tv::airspaceDialogStart("4500", "1");
    EXPECT_EQ(s.option, tv::AirspaceOption::AtAltitude);
    EXPECT_EQ(s.altitudeText, "4500");
    EXPECT_TRUE(s.showCircuits);
    EXPECT_EQ(tv::airspaceDialogStart("0", "0").option, tv::AirspaceOption::AtAltitude);
}

TEST(AirspaceDialogOpening, FractionRoundsBeforeTheSignIsJudged)
{
    // -0.4 rounds to 0: an altitude, shown as stored.
    const tv::AirspaceDialogStart s = tv::airspaceDialogStart("-0.4", "0");
    EXPECT_EQ(s.option, tv::AirspaceOption::AtAltitude);
    EXPECT_EQ(s.altitudeText, "-0.4");
    EXPECT_EQ(tv::airspaceDialogStart("-99.2", "0").option, tv::AirspaceOption::All);
}

TEST(AirspaceDialogOpening, UnknownValuesSelectNothing)
{
    for (const char* stored : {"-5", "abc", "", "40000", "-40000", "1e9"})
        EXPECT_EQ(tv::airspaceDialogStart(stored, "0").option, tv::AirspaceOption::NoneSelected)
            << stored;
}

TEST(AirspaceDialogOpening, CircuitsOnlyForExactlyOne)
{
    EXPECT_TRUE(tv::airspaceDialogStart("-99", "1").showCircuits);
    EXPECT_TRUE(tv::airspaceDialogStart("-99", "1.0").showCircuits);
    EXPECT_FALSE(tv::airspaceDialogStart("-99", "2").showCircuits);
    EXPECT_FALSE(tv::airspaceDialogStart("-99", "ja").showCircuits);
}

TEST(AirspaceDialogClosing, OptionsBecomeTheirFilterValues)
{
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::All, "3000"), "-99");
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::Nothing, "3000"), "-10");
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::NoneSelected, "3000"), std::nullopt);
}

TEST(AirspaceDialogClosing, TypedWholeAltitudeIsKeptAsTyped)
{
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::AtAltitude, "2500"), "2500");
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::AtAltitude, "0"), "0");
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::AtAltitude, " 3500 "), "3500");
    EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::AtAltitude, "32767"), "32767");
}

TEST(AirspaceDialogClosing, AnythingElseShowsNoAirspaces)
{
    for (const char* typed : {"abc", "-500", "", "2500.5", "32768", "99999999999", "1e3"})
        EXPECT_EQ(tv::airspaceFilterOnClose(tv::AirspaceOption::AtAltitude, typed), "-10") << typed;
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

    // Opens the dialog on the plan window's boxes; `act` plays the pilot.
    void open(const QString& altitude, const QString& circuits,
              std::function<void(tv::frmLuftraumSettings&)> act)
    {
        plan().tLRHoehe->setText(altitude);
        plan().tPR->setText(circuits);
        onDialog = [act](tv::DialogForm& d) {
            act(static_cast<tv::frmLuftraumSettings&>(d));
            return 0;
        };
        tv::showAirspaceDialog(*tv::planWindowAirspaceDisplay(plan()));
    }
};

TEST_F(AirspaceDialog, AllAirspacesOpensOnOptionOneWithThousandFeetAndIsKept)
{
    open("-99", "0", [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.Option1->isChecked());
        EXPECT_FALSE(d.Option2->isChecked());
        EXPECT_FALSE(d.Option3->isChecked());
        EXPECT_EQ(d.cmbHoehe->currentText(), "1000");
        EXPECT_FALSE(d.chkPL->isChecked());
    });
    EXPECT_EQ(plan().tLRHoehe->text(), "-99");
    EXPECT_EQ(plan().tPR->text(), "0");
}

TEST_F(AirspaceDialog, StoredAltitudeOpensOnOptionThree)
{
    open("4500", "1", [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.Option3->isChecked());
        EXPECT_EQ(d.cmbHoehe->currentText(), "4500");
        EXPECT_TRUE(d.chkPL->isChecked());
    });
    EXPECT_EQ(plan().tLRHoehe->text(), "4500");
    EXPECT_EQ(plan().tPR->text(), "1");
}

TEST_F(AirspaceDialog, TypedAltitudeIsWrittenBack)
{
    open("-10", "0", [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.Option2->isChecked());
        d.Option3->click();
        d.cmbHoehe->setEditText(QStringLiteral("2500"));
    });
    EXPECT_EQ(plan().tLRHoehe->text(), "2500");
}

TEST_F(AirspaceDialog, TextOrNegativeAltitudeShowsNoAirspaces)
{
    for (const QString& typed : {QStringLiteral("abc"), QStringLiteral("-500")}) {
        open("3000", "0", [typed](tv::frmLuftraumSettings& d) { d.cmbHoehe->setEditText(typed); });
        EXPECT_EQ(plan().tLRHoehe->text(), "-10") << typed.toStdString();
    }
}

TEST_F(AirspaceDialog, AltitudeTooHighToReadBackShowsNoAirspaces)
{
    open("3000", "0",
         [](tv::frmLuftraumSettings& d) { d.cmbHoehe->setEditText(QStringLiteral("40000")); });
    EXPECT_EQ(plan().tLRHoehe->text(), "-10");
}

TEST_F(AirspaceDialog, OneOptionAtATime)
{
    open("-99", "0", [](tv::frmLuftraumSettings& d) {
        d.Option2->click();
        EXPECT_FALSE(d.Option1->isChecked());
        EXPECT_TRUE(d.Option2->isChecked());
        d.Option3->click();
        EXPECT_FALSE(d.Option2->isChecked());
        EXPECT_TRUE(d.Option3->isChecked());
        d.Option1->click();
    });
    EXPECT_EQ(plan().tLRHoehe->text(), "-99");
}

TEST_F(AirspaceDialog, UntickingCircuitsWritesZero)
{
    open("-99", "1", [](tv::frmLuftraumSettings& d) {
        EXPECT_TRUE(d.chkPL->isChecked());
        d.chkPL->click();
    });
    EXPECT_EQ(plan().tPR->text(), "0");
}

TEST_F(AirspaceDialog, UnreadableStoredValueSelectsNothingAndIsKept)
{
    open("hoch", "ja", [](tv::frmLuftraumSettings& d) {
        EXPECT_FALSE(d.Option1->isChecked() || d.Option2->isChecked() || d.Option3->isChecked());
        EXPECT_FALSE(d.chkPL->isChecked());
    });
    EXPECT_EQ(plan().tLRHoehe->text(), "hoch");
    EXPECT_EQ(plan().tPR->text(), "0");
}

TEST_F(AirspaceDialog, EnterInTheAltitudeBoxClosesAndWrites)
{
    bool gone = false;
    open("-10", "0", [&gone](tv::frmLuftraumSettings& d) {
        d.show();
        d.Option3->click();
        d.cmbHoehe->setEditText(QStringLiteral("5500"));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(d.cmbHoehe->lineEdit(), &press);
        gone = tv::forms().find<tv::frmLuftraumSettings>() == nullptr;
    });
    EXPECT_TRUE(gone);
    EXPECT_EQ(plan().tLRHoehe->text(), "5500");
}

TEST_F(AirspaceDialog, CloseBoxWritesToo)
{
    open("-10", "0", [](tv::frmLuftraumSettings& d) {
        d.show();
        d.Option1->click();
        d.chkPL->click();
        d.close();
    });
    EXPECT_EQ(plan().tLRHoehe->text(), "-99");
    EXPECT_EQ(plan().tPR->text(), "1");
}

// A display kept as a plain value, as the plan window will keep it.
class DisplayValue : public tv::AirspaceDisplayAccess
{
public:
    tv::AirspaceDisplay value;
    int writes = 0;
    tv::AirspaceDisplay airspaceDisplay() const override { return value; }
    void setAirspaceDisplay(const tv::AirspaceDisplay& display) override
    {
        value = display;
        ++writes;
    }
};

TEST_F(AirspaceDialog, WorksOnAnyDisplayWithoutLoadingThePlanWindow)
{
    DisplayValue display;
    display.value = {"4500", "1"};
    onDialog = [](tv::DialogForm& d) {
        auto& dialog = static_cast<tv::frmLuftraumSettings&>(d);
        EXPECT_TRUE(dialog.Option3->isChecked());
        EXPECT_EQ(dialog.cmbHoehe->currentText(), "4500");
        EXPECT_TRUE(dialog.chkPL->isChecked());
        dialog.Option2->click();
        dialog.chkPL->click();
        return 0;
    };
    tv::showAirspaceDialog(display);
    EXPECT_EQ(display.value.tLRHoehe, "-10");
    EXPECT_EQ(display.value.tPR, "0");
    EXPECT_EQ(display.writes, 1);
    EXPECT_EQ(tv::forms().find<tv::frmPlanung>(), nullptr);
}

TEST_F(AirspaceDialog, PlanWindowGoneBeforeTheDialogClosesIsNotBroughtBack)
{
    plan().tLRHoehe->setText(QStringLiteral("-10"));
    onDialog = [](tv::DialogForm& d) {
        QPointer<tv::frmPlanung> planWindow = tv::forms().find<tv::frmPlanung>();
        tv::forms().unload(planWindow); // the program ends
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(planWindow.isNull());
        static_cast<tv::frmLuftraumSettings&>(d).Option1->click();
        return 0;
    };
    tv::showAirspaceDialog(*tv::planWindowAirspaceDisplay(plan()));
    EXPECT_EQ(tv::forms().find<tv::frmPlanung>(), nullptr);
}
