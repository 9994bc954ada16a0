#include "FlightPlanFixture.h"

#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace fplantest {
namespace {

class FlightPlanReport : public FlightPlanWindowTest
{
protected:
    // Prints the window's plan to a PDF file and reads its text back in the order it was
    // printed, one entry per page, blanks and line breaks collapsed.
    QStringList printedPages()
    {
        const QString pdf = QString::fromStdString((dir / "plan.pdf").string());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        EXPECT_TRUE(window().printReport(printer));
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
            ADD_FAILURE() << "pdftotext (poppler-utils) did not read the file";
            return {};
        }
        QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
            pages.removeLast();
        for (QString& p : pages)
            p = p.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        return pages;
    }
};

TEST_F(FlightPlanReport, HeadingDepartureRowAndSummaryValuesArePrinted)
{
    addRoute("Nord", northbound());
    writeFile("fplan.crm", "\"0\"\r\n\"25\"\r\n\"100\"\r\n\"270\"\r\n\"10\"\r\n");
    tv::frmFlugPlan& w = open();
    const QStringList pages = printedPages();
    ASSERT_EQ(pages.size(), 1);
    const QString& text = pages.front();
    for (const char* heading :
         {"Wegpunkt", "TAS [ kts ]", "Wind Deg / v", "TC", "GS [ kts ]", "MH", "Distanz [ NM ]",
          "Zeit [ h:min ]", "FF", "Flugzeit", "Gesamt FF", "Windinfo", "FF / h"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading << "\n"
                                                               << text.toStdString();
    // The departure row: zero values, "00:00", no running totals.
    EXPECT_TRUE(text.contains(QStringLiteral("Start 0 0 / 0 0 0 0 0 00:00 0 Eins")))
        << text.toStdString();
    for (const QLabel* value : {w.lblDistanz, w.lblZeit, w.lblFF, w.lblAvgWind})
        EXPECT_TRUE(text.contains(value->text())) << value->text().toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("25"))) << "the fuel-flow box";
    EXPECT_TRUE(text.contains(QStringLiteral("270 / 10")));
}

TEST_F(FlightPlanReport, HeadingsStayGermanInEnglish)
{
    addRoute("Nord", northbound());
    tv::Language = 1;
    open();
    const QStringList pages = printedPages();
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages.front().contains(QStringLiteral("Wegpunkt")));
    EXPECT_TRUE(pages.front().contains(QStringLiteral("Gesamt FF")));
    EXPECT_FALSE(pages.front().contains(QStringLiteral("Waypoint")));
}

TEST_F(FlightPlanReport, PrintsAnEditedPlanWithItsNewTotals)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    ASSERT_TRUE(edit(2, 3, "60"));
    const QStringList pages = printedPages();
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages.front().contains(w.lblFF->text()));
    EXPECT_TRUE(pages.front().contains(cell(2, 12)));
}

TEST_F(FlightPlanReport, MagneticHeadingShowsInWholeDegreesOnScreenAndPaper)
{
    // The first leg runs due north (TC 360) at TAS 100; the wind's crosswind makes the MH a
    // fraction, which the plan keeps.
    struct Case
    {
        const char* boxes; // fplan.crm: VAR, FF / h, TAS, wind direction, wind speed
        double mh;         // as computed and stored
        const char* shown;
    };
    const Case cases[] = {
        {"\"0\"\r\n\"20\"\r\n\"100\"\r\n\"300\"\r\n\"20\"\r\n", 349.608, "350"},
        {"\"0\"\r\n\"20\"\r\n\"100\"\r\n\"60\"\r\n\"20\"\r\n", 370.392, "370"},
        {"\"12\"\r\n\"20\"\r\n\"100\"\r\n\"300\"\r\n\"20\"\r\n", 337.608, "338"},
        {"\"360,5\"\r\n\"20\"\r\n\"100\"\r\n\"0\"\r\n\"0\"\r\n", -0.5, "-1"},
    };
    addRoute("Nord", northbound());
    for (const Case& c : cases) {
        writeFile("fplan.crm", c.boxes);
        tv::forms().unloadAll(QString());
        flushDeletes();
        tv::frmFlugPlan& w = open();
        w.cmdCalc->click();
        tv::Recordset* plan = w.plan();
        ASSERT_NE(plan, nullptr) << c.shown;
        plan->SetAbsolutePosition(2);
        EXPECT_NEAR(plan->Field("MH").toDouble(), c.mh, 1e-9) << c.shown;
        const QString shown = QString::fromUtf8(c.shown);
        EXPECT_EQ(cell(1, 8), shown);
        const QStringList pages = printedPages();
        ASSERT_FALSE(pages.isEmpty()) << c.shown;
        // NAME TAS Wind TC GS MH ...: "Eins 100 300 / 20 360 90 350 ..."
        const QString eins = pages.front().section(QStringLiteral(" Eins "), 1);
        EXPECT_EQ(eins.section(' ', 6, 6), shown) << eins.left(60).toStdString();
    }
}

TEST_F(FlightPlanReport, LongPlanContinuesUnderTheHeadingOnFurtherPages)
{
    std::vector<Pt> pts;
    for (int i = 0; i < 61; ++i) // 60 legs
        pts.push_back({"WP" + std::to_string(i + 1) + "X", 40.00 + 0.10 * i, 9.00});
    addRoute("Lang", pts);
    open();
    const QStringList pages = printedPages();
    ASSERT_GE(pages.size(), 2);
    for (const QString& page : pages)
        EXPECT_TRUE(page.contains(QStringLiteral("Wegpunkt")) && page.contains("Flugzeit"));
    const QString all = pages.join(' ');
    for (int i = 1; i <= 61; ++i) {
        const QString name = QStringLiteral("WP%1X").arg(i);
        EXPECT_EQ(all.count(QRegularExpression("\\b" + name + "\\b")), 1) << name.toStdString();
    }
}

TEST_F(FlightPlanReport, NothingToPrintWithoutAPlan)
{
    addRoute("Leer", {});
    open();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / "none.pdf").string()));
    EXPECT_FALSE(window().printReport(printer));
    EXPECT_FALSE(window().cmdPreview->isEnabled());
}

} // namespace
} // namespace fplantest

namespace fplantest {
namespace {

TEST_F(FlightPlanReport, PrintFailureShowsThePrintSupportNotice)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    const std::string nowhere = (dir / "kein Ordner" / "plan.pdf").string();
    tv::frmFlugPlan::previewRunner() = [&nowhere](QPrintPreviewDialog& preview) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(nowhere));
        emit preview.paintRequested(&printer);
    };
    w.cmdPreview->click();
    tv::frmFlugPlan::previewRunner() = nullptr;
    EXPECT_EQ(dialogs, std::vector<QString>{QStringLiteral("frmInfo2")});
    EXPECT_EQ(grid()->rowCount(), 4) << "nothing else changes";
}

TEST_F(FlightPlanReport, PreviewThatPrintsShowsNoNotice)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    const std::string pdf = (dir / "plan.pdf").string();
    tv::frmFlugPlan::previewRunner() = [&pdf](QPrintPreviewDialog& preview) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        emit preview.paintRequested(&printer);
    };
    w.cmdPreview->click();
    tv::frmFlugPlan::previewRunner() = nullptr;
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(exists("plan.pdf"));
}

} // namespace
} // namespace fplantest
