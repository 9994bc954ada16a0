// The chart window and the two-point window, offscreen, on a program folder made by code.
#include "calibration/MapPicture.h"
#include "calibration/frmCalRect.h"
#include "calibration/frmCalibrate.h"
#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/forms/VbTimer.h"
#include "map/DrawSurface.h"
#include "platform/Recordset.h"
#include "schema/TestDb.h"
#include "support/HeldDataFile.h"
#include "support/Keyboard.h"
#include "support/WindowTestBase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTableView>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button,
           Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void key(QWidget* w, int code, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Types `text` into a box key by key, as a pilot would.
void type(QLineEdit* box, const QString& text)
{
    box->setFocus();
    for (const QChar c : text)
        key(box, c.unicode() >= 'a' && c.unicode() <= 'z' ? c.toUpper().unicode() : c.unicode(),
            QString(c));
}

class ChartWindow : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        layout();
        openMainConnection();
        raw = std::make_unique<tvtest::TestDb>(dir / "data.tvd");
    }
    void TearDown() override
    {
        WindowTestBase::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    fs::path karten() const { return dir / "Karten"; }

    void chart(const std::string& name, int width, int height, const char* format)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int x = 0; x < width; x += 50)
            for (int y = 0; y < height; ++y)
                image.setPixel(x, y, qRgb(200, 0, 0));
        ASSERT_TRUE(image.save(QString::fromStdString((karten() / name).string()), format));
    }

    void mapsRow(const std::string& values)
    {
        raw->exec("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
                  "VALUES (" +
                  values + ")");
    }

    std::vector<std::string> field(const std::string& column, const std::string& name)
    {
        return raw->column("SELECT \"" + column + "\" FROM Maps WHERE Name = ?", {name});
    }

    tv::frmCalibrate& window() { return tv::forms().get<tv::frmCalibrate>(); }

    QStringList listed()
    {
        QStringList names;
        for (int i = 0; i < window().listKarten->count(); ++i)
            names << window().listKarten->item(i)->text();
        return names;
    }

    // The active charts the grid shows.
    QStringList activeShown()
    {
        QStringList names;
        const QAbstractItemModel* grid = window().gridMaps->model();
        for (int row = 0; row < grid->rowCount(); ++row)
            names << grid->index(row, 0).data().toString();
        return names;
    }

    void select(const QString& name)
    {
        const auto found = window().listKarten->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        // A click: the press makes the chart current, the release clicks it.
        window().listKarten->setCurrentItem(found.front());
        window().listKarten_Click();
    }

    void typeEdges(const QString& unten, const QString& oben, const QString& links,
                   const QString& rechts)
    {
        const QString values[4] = {unten, oben, links, rechts};
        for (size_t i = 0; i < 4; ++i) {
            window().tKarten[i]->clear();
            type(window().tKarten[i], values[i]);
        }
    }

    // The pilot picks "N", "S", "E" or "W" in an edge's selector.
    void choose(size_t edge, const QString& letter)
    {
        QComboBox* selector = window().cmbLatLong[edge];
        selector->setCurrentIndex(selector->findText(letter));
    }

    QString shownHemispheres()
    {
        QString letters;
        for (QComboBox* selector : window().cmbLatLong)
            letters += selector->currentText();
        return letters;
    }

    std::unique_ptr<tvtest::TestDb> raw;
};

TEST_F(ChartWindow, ListsTheChartFolderAndDropsRowsOfGoneImages)
{
    chart("b.bmp", 120, 90, "BMP");
    chart("a.jpg", 200, 150, "JPEG");
    chart("DEMO.BMP", 64, 48, "BMP");
    mapsRow("'old.bmp', 47, 48, 8, 9, 100, 100, 1");
    mapsRow("'demo.bmp', 47.4, 48.1, 8.5, 9.3, 64, 48, 1");

    EXPECT_EQ(listed(), (QStringList{"b.bmp", "DEMO.BMP", "a.jpg"}));
    EXPECT_TRUE(field("Name", "old.bmp").empty());
    EXPECT_EQ(window().listKarten->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(window().listKarten->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(window().tPath->text().toStdString(), karten().string());
    EXPECT_EQ(activeShown(), (QStringList{"demo.bmp"}));
}

TEST_F(ChartWindow, AMissingChartFolderIsNamedAndNothingIsDeleted)
{
    mapsRow("'demo.bmp', 47.4, 48.1, 8.5, 9.3, 64, 48, 1");
    fs::remove_all(karten());

    EXPECT_TRUE(listed().isEmpty());
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.front().text.contains(QString::fromStdString(karten().string())));
    EXPECT_EQ(field("Name", "demo.bmp"), (std::vector<std::string>{"demo.bmp"}));
}

TEST_F(ChartWindow, SavesTheTypedEdgesUnderAGermanLocale)
{
    chart("demo.bmp", 1200, 900, "BMP");
    window();
    select("demo.bmp");
    EXPECT_EQ(window().lblBreite->text(), "1200");
    EXPECT_EQ(window().lblHoehe->text(), "900");

    typeEdges("47,4", "48,1", "8.5", "9,3");
    ASSERT_TRUE(window().cmdSpeichern_Click());

    EXPECT_EQ(tvtest::readFile(karten() / "demo.crm"), "47.4\r\n48.1\r\n8.5\r\n9.3\r\n");
    EXPECT_EQ(field("Links", "demo.bmp"), (std::vector<std::string>{"8.5"}));
    EXPECT_EQ(field("Breite", "demo.bmp"), (std::vector<std::string>{"1200"}));
    EXPECT_EQ(field("Active", "demo.bmp"), (std::vector<std::string>{"0"}));
    EXPECT_EQ(window().tKarten[2]->text(), "8,5") << "shown in the user's format";
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChartWindow, RefusesEdgesThatGiveNoMap)
{
    chart("demo.bmp", 1200, 900, "BMP");
    window();
    select("demo.bmp");
    for (const auto& edges : std::vector<QStringList>{{"48,1", "48,1", "8,5", "9,3"},
                                                      {"47,4", "", "8,5", "9,3"},
                                                      {"47,4", "48,1", "8,5", "abc"},
                                                      {"47,4", "95", "8,5", "9,3"}}) {
        messages.clear();
        typeEdges(edges[0], edges[1], edges[2], edges[3]);
        EXPECT_FALSE(window().cmdSpeichern_Click());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.front().title, "Datenfehler");
    }
    EXPECT_FALSE(fs::exists(karten() / "demo.crm"));
    EXPECT_TRUE(field("Name", "demo.bmp").empty());
}

TEST_F(ChartWindow, AnotherChartsEdgesAndSizeNeverStay)
{
    chart("a.bmp", 1200, 900, "BMP");
    tvtest::writeFile(karten() / "broken.jpg", "no jpeg at all");
    mapsRow("'a.bmp', 47.4, 48.1, -8.5, 9.3, 1200, 900, 0");
    window();
    select("a.bmp");
    EXPECT_EQ(window().tKarten[2]->text(), "8,5");
    EXPECT_EQ(window().cmbLatLong[2]->currentText(), "W");

    select("broken.jpg");
    EXPECT_EQ(window().lblBreite->text(), "");
    for (QLineEdit* box : window().tKarten)
        EXPECT_EQ(box->text(), "");

    // A check of the unreadable chart cannot make it active: the tick goes back.
    messages.clear();
    window().listKarten->currentItem()->setCheckState(Qt::Checked);
    EXPECT_EQ(window().listKarten->currentItem()->checkState(), Qt::Unchecked);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().title, "Datenfehler");
    EXPECT_TRUE(field("Name", "broken.jpg").empty());
}

TEST_F(ChartWindow, APreviewThatCannotBeDrawnStillShowsSizeAndEdges)
{
    // A bitmap header without any picture behind it.
    std::string header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    header[14] = 40;
    header[18] = static_cast<char>(0xB0); // 1200
    header[19] = 0x04;
    header[22] = static_cast<char>(0x84); // 900
    header[23] = 0x03;
    tvtest::writeFile(karten() / "cut.bmp", header);
    mapsRow("'cut.bmp', 47.4, 48.1, 8.5, 9.3, 1200, 900, 1");
    window().chkVorschau->setChecked(true);
    select("cut.bmp");

    EXPECT_TRUE(window().picMap->pixmap().isNull());
    EXPECT_EQ(window().lblBreite->text(), "1200");
    EXPECT_EQ(window().lblHoehe->text(), "900");
    EXPECT_EQ(window().tKarten[1]->text(), "48,1");
}

TEST_F(ChartWindow, TheCheckActsOnTheChartWhoseBoxChanged)
{
    chart("a.bmp", 1200, 900, "BMP");
    chart("b.bmp", 600, 400, "BMP");
    mapsRow("'b.bmp', 47.4, 48.1, 8.5, 9.3, 600, 400, 0");
    window();
    select("a.bmp");

    window().listKarten->item(1)->setCheckState(Qt::Checked);

    EXPECT_EQ(window().listKarten->currentRow(), 1);
    EXPECT_EQ(field("Active", "b.bmp"), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(field("Name", "a.bmp").empty());
    EXPECT_EQ(activeShown(), (QStringList{"b.bmp"}));

    window().listKarten->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(field("Active", "b.bmp"), (std::vector<std::string>{"0"}));
    EXPECT_TRUE(activeShown().isEmpty());
}

TEST_F(ChartWindow, AHeldDataFileIsNamedAndTheSameActionWorksOnceItIsFree)
{
    chart("demo.bmp", 1200, 900, "BMP");
    mapsRow("'demo.bmp', 47.4, 48.1, 8.5, 9.3, 1200, 900, 0");
    const auto stored = [this] { return raw->column("SELECT Active || ' ' || Unten FROM Maps"); };
    select("demo.bmp");
    {
        tvtest::HeldDataFile held(dir / "data.tvd");
        window().listKarten->item(0)->setCheckState(Qt::Checked);
        typeEdges("47,5", "48,1", "8,5", "9,3");
        window().cmdSpeichern->click();
    }
    EXPECT_EQ(window().listKarten->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(stored(), (std::vector<std::string>{"0 47.4"}));
    ASSERT_EQ(messages.size(), 2u) << "the tick and the save";
    EXPECT_EQ(messages[1].text, "Die Karte konnte nicht in die Datenbank geschrieben werden: "
                                "demo.bmp\n\nDie Datei " +
                                    QString::fromStdString((dir / "data.tvd").string()) +
                                    " wird von einem anderen Programm gesperrt.");
    window().cmdSpeichern->click(); // the file is free again
    window().listKarten->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(stored(), (std::vector<std::string>{"1 47.5"}));
}

TEST_F(ChartWindow, ACalibrationFileGivesTheEdgesOfAChartWithoutRow)
{
    chart("alpen.jpg", 300, 200, "JPEG");
    tvtest::writeFile(karten() / "alpen.crm", "-34.2\r\n-33.5\r\n18.3\r\n19.1\r\n");
    window();
    select("alpen.jpg");
    EXPECT_EQ(window().tKarten[0]->text(), "34,2");
    EXPECT_EQ(window().cmbLatLong[0]->currentText(), "S");
    EXPECT_EQ(window().lblBreite->text(), "300");

    window().listKarten->currentItem()->setCheckState(Qt::Checked);
    EXPECT_EQ(field("Unten", "alpen.jpg"), (std::vector<std::string>{"-34.2"}));
    EXPECT_EQ(field("Active", "alpen.jpg"), (std::vector<std::string>{"1"}));
}

TEST_F(ChartWindow, AChartShowsItsOwnHemispheresAfterASessionWithAnother)
{
    struct Case
    {
        const char* session;          // the chart saved in the session before
        std::array<QString, 4> boxes; // Unten Oben Links Rechts
        QString hemispheres;
    };
    const Case cases[] = {
        {"across the meridian", {"47,4", "48,1", "1,3", "2,3"}, "NNWE"},
        {"south and west", {"34,2", "33,5", "58,3", "57,2"}, "SSWW"},
    };
    chart("demo.jpg", 400, 300, "JPEG");
    chart("zuletzt.jpg", 400, 300, "JPEG");
    mapsRow("'demo.jpg', 47.4, 48.1, 9, 11, 400, 300, 1");
    for (const Case& c : cases) {
        select("zuletzt.jpg");
        typeEdges(c.boxes[0], c.boxes[1], c.boxes[2], c.boxes[3]);
        for (size_t i = 0; i < 4; ++i)
            choose(i, c.hemispheres.at(static_cast<qsizetype>(i)));
        ASSERT_TRUE(window().cmdSpeichern_Click()) << c.session;
        closeAllWindows();

        // The next session opens on demo.jpg; the pilot retypes the upper latitude only.
        ASSERT_EQ(window().listKarten->currentItem()->text(), "demo.jpg") << c.session;
        EXPECT_EQ(shownHemispheres(), "NNEE") << c.session;
        window().tKarten[1]->clear();
        type(window().tKarten[1], "48,2");
        ASSERT_TRUE(window().cmdSpeichern_Click()) << c.session;
        EXPECT_EQ(tvtest::readFile(karten() / "demo.crm"), "47.4\r\n48.2\r\n9\r\n11\r\n")
            << c.session;
        EXPECT_EQ(field("Links", "demo.jpg"), (std::vector<std::string>{"9.0"})) << c.session;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChartWindow, ThePreviewAndTheShownHemispheresAreKeptInLatData)
{
    chart("demo.bmp", 400, 300, "BMP");
    tvtest::writeFile(karten() / "LatData.crm", "1\r\n1\r\n0\r\n1\r\n0\r\n");
    EXPECT_EQ(shownHemispheres(), "NNEE") << "a chart never saved starts north and east";
    EXPECT_FALSE(window().chkVorschau->isChecked());

    window().chkVorschau->setChecked(true);
    ASSERT_FALSE(window().picMap->pixmap().isNull()) << "the preview is drawn";
    choose(0, "S");
    choose(1, "S");
    closeAllWindows();
    EXPECT_EQ(tvtest::readFile(karten() / "LatData.crm"), "1\r\n1\r\n0\r\n0\r\n1\r\n");
}

TEST_F(ChartWindow, CaptionsInEnglish)
{
    tv::Language = 1;
    window().Form_Activate();
    EXPECT_EQ(window().windowTitle(), "Map Data");
    EXPECT_EQ(window().cmdFillList->text(), "Refresh Map List");
    EXPECT_EQ(window().Label[5]->text(), "Exp.: N 47°40': 47.4");
    tv::Language = 0;
    window().Form_Activate();
    EXPECT_EQ(window().Label[1]->text(), "Breitengrad oben");
}

// ------------------------------------------------------------------------------ two points

class TwoPointWindow : public ChartWindow
{
protected:
    int answerModal(tv::DialogForm& d) override
    {
        auto* w = dynamic_cast<tv::frmCalRect*>(&d);
        if (!w)
            return 0;
        opened = true;
        w->show();
        if (drive)
            drive(*w);
        stillOpen = w->isVisible();
        return 0;
    }

    // Moves the pointer over image pixel (x, y) and double-clicks there.
    static void doubleClickAt(tv::frmCalRect& w, double x, double y)
    {
        const auto at = w.view().imageToView(QPointF(x, y));
        ASSERT_TRUE(at) << x << ", " << y;
        mouse(w.picMap, QEvent::MouseMove, *at, Qt::NoButton, Qt::NoButton);
        mouse(w.picMap, QEvent::MouseButtonPress, *at, Qt::LeftButton, Qt::LeftButton);
        mouse(w.picMap, QEvent::MouseButtonRelease, *at, Qt::LeftButton, Qt::NoButton);
        mouse(w.picMap, QEvent::MouseButtonDblClick, *at, Qt::LeftButton, Qt::LeftButton);
        mouse(w.picMap, QEvent::MouseButtonRelease, *at, Qt::LeftButton, Qt::NoButton);
    }

    // Holds the down arrow for `ticks` ticks of the scroll timer.
    static void scrollDown(tv::frmCalRect& w, int ticks)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(w.picMap, &press);
        for (int tick = 0; tick < ticks; ++tick)
            w.timArr->fire();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(w.picMap, &release);
    }

    // Types latitude and longitude, Enter after each: Enter in the longitude box saves.
    static void enterCoordinates(tv::frmCalRect& w, size_t point, const QString& lat,
                                 const QString& lon)
    {
        type(w.tLat[point], lat);
        key(w.tLat[point], Qt::Key_Return);
        type(w.tLong[point], lon);
        key(w.tLong[point], Qt::Key_Return);
    }

    // Shows the whole image width and places point 1 at image pixel (100, 100) as 48°30' N
    // 8°30' E.
    static void placePoint1(tv::frmCalRect& w)
    {
        w.SlideMap->setValue(100);
        doubleClickAt(w, 100, 100);
        enterCoordinates(w, 1, "48,3", "8,3");
    }

    // After placePoint1: scrolls down and double-clicks point 2 at image pixel (x, 700).
    static void placePoint2At(tv::frmCalRect& w, double x)
    {
        scrollDown(w, 5);
        doubleClickAt(w, x, 700);
    }

    // Both points, point 2 at image pixel (x2, 700) entered as 47°30' N and `lon2` east.
    static void placeBothPoints(tv::frmCalRect& w, const QString& lon2 = "9,3", double x2 = 900)
    {
        placePoint1(w);
        placePoint2At(w, x2);
        enterCoordinates(w, 2, "47,3", lon2);
    }

    void openOn(const std::string& name)
    {
        window();
        select(QString::fromStdString(name));
        messages.clear();
        window().cmdCalibrate_Click();
    }

    std::function<void(tv::frmCalRect&)> drive;
    bool opened = false;
    bool stillOpen = false;
};

TEST_F(TwoPointWindow, TwoDoubleClickedPointsCalibrateTheChart)
{
    chart("demo.bmp", 1000, 800, "BMP");
    drive = [](tv::frmCalRect& w) {
        w.SlideMap->setValue(100); // the whole image width
        doubleClickAt(w, 100, 100);
        EXPECT_FALSE(w.frmP[1]->isHidden());
        enterCoordinates(w, 1, "48,3", "8,3");
        EXPECT_FALSE(w.cmdSave[1]->isEnabled());
        scrollDown(w, 5);
        doubleClickAt(w, 900, 700);
        EXPECT_TRUE(w.frmP[1]->isHidden());
        enterCoordinates(w, 2, "47,3", "9,3");
    };
    openOn("demo.bmp");

    EXPECT_TRUE(opened);
    EXPECT_FALSE(stillOpen);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text, "Karte wurde kalibriert.");
    EXPECT_EQ(messages.front().title, "Karte kalibriert");
    EXPECT_EQ(tvtest::readFile(karten() / "demo.crm"), "47.2\r\n48.4\r\n8.225\r\n9.375\r\n");
    EXPECT_EQ(field("Oben", "demo.bmp"), (std::vector<std::string>{"48.4"}));
    EXPECT_EQ(field("Breite", "demo.bmp"), (std::vector<std::string>{"1000"}));
    EXPECT_EQ(window().tKarten[3]->text(), "9,375");
}

TEST_F(TwoPointWindow, TheEdgesGoBackToTheOpenerWhoseAnswerClosesTheWindowOrNot)
{
    drive = [](tv::frmCalRect& w) {
        placeBothPoints(w);
        if (w.isVisible()) { // refused: point 2 is open for another try
            EXPECT_TRUE(w.cmdSave[2]->isEnabled());
            EXPECT_TRUE(w.tQuickfind[2]->isEnabled());
        }
    };
    QImage image(1000, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const bool stored : {false, true}) {
        std::vector<tv::CalibrationResult> handed;
        messages.clear();
        tv::frmCalRect& w = tv::forms().get<tv::frmCalRect>();
        w.InitializeData("demo.bmp", image, 1000, 800, tv::ChartHemispheres{},
                         [&](const tv::CalibrationResult& edges) {
                             handed.push_back(edges);
                             return stored;
                         });
        tv::forms().showModal(w);

        ASSERT_EQ(handed.size(), 1u) << stored;
        EXPECT_DOUBLE_EQ(handed[0].unten, 47.2);
        EXPECT_DOUBLE_EQ(handed[0].oben, 48.4);
        EXPECT_DOUBLE_EQ(handed[0].links, 8.225);
        EXPECT_DOUBLE_EQ(handed[0].rechts, 9.375);
        EXPECT_EQ(stillOpen, !stored);
        // Stored: the window says so; refused: the opener has said why.
        EXPECT_EQ(messages.size(), stored ? 1u : 0u);
    }
    EXPECT_EQ(tv::forms().find<tv::frmCalibrate>(), nullptr);
    EXPECT_FALSE(fs::exists(karten() / "demo.crm"));
}

TEST_F(TwoPointWindow, WaypointsStoredWestGiveWestEdgesAndTheChartStaysActive)
{
    chart("demo.bmp", 1000, 800, "BMP");
    mapsRow("'demo.bmp', 47, 48, -10, -8, 1000, 800, 1");
    raw->exec("INSERT INTO Waypoints (Name, Lat, Long) VALUES ('Brest', 48.3, -9.3), "
              "('Bordeaux', 47.3, -8.3), ('B_Nord', 1, 1)");
    drive = [](tv::frmCalRect& w) {
        w.SlideMap->setValue(100);
        doubleClickAt(w, 100, 100);
        // Typing on the map starts the quick find.
        key(w.picMap, Qt::Key_B, "B");
        type(w.tQuickfind[1], "r");
        ASSERT_EQ(w.gridWay[1]->model()->rowCount(), 1);
        w.gridWay[1]->setCurrentIndex(w.gridWay[1]->model()->index(0, 0));
        EXPECT_EQ(w.tLong[1]->text(), "-9,3");
        w.gridWay[1]->setFocus(); // the pilot's click into the list gives it the keyboard
        key(w.gridWay[1], Qt::Key_Return);
        EXPECT_EQ(w.tQuickfind[1]->text(), "Brest");
        scrollDown(w, 5);
        doubleClickAt(w, 900, 700);
        w.tQuickfind[2]->setText("B_");
        w.QuickFind(2);
        EXPECT_EQ(w.gridWay[2]->model()->rowCount(), 1) << "a prefix, not a pattern";
        w.tQuickfind[2]->setText("Bo");
        w.QuickFind(2);
        w.gridWay[2]->setCurrentIndex(w.gridWay[2]->model()->index(0, 0));
        w.cmdSave2_Click();
    };
    openOn("demo.bmp");

    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(field("Links", "demo.bmp"), (std::vector<std::string>{"-9.375"}));
    EXPECT_EQ(field("Rechts", "demo.bmp"), (std::vector<std::string>{"-8.225"}));
    EXPECT_EQ(field("Active", "demo.bmp"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(window().cmbLatLong[2]->currentText(), "W");
    EXPECT_EQ(window().listKarten->currentItem()->checkState(), Qt::Checked);
}

TEST_F(TwoPointWindow, AnEasternChartIsStoredEastWhateverTheChartBeforeIt)
{
    struct Case
    {
        const char* before;           // the chart saved just before
        std::array<QString, 4> boxes; // its edges, Unten Oben Links Rechts
        std::array<int, 4> selectors; // 1 = S or W
    };
    const Case cases[] = {
        {"across Greenwich", {"47,4", "48,1", "1,3", "0,5"}, {0, 0, 1, 0}},
        {"south and west", {"34,2", "33,5", "58,3", "57,2"}, {1, 1, 1, 1}},
    };
    drive = [](tv::frmCalRect& w) { placeBothPoints(w, "10,3"); };
    int n = 0;
    for (const Case& c : cases) {
        const std::string before = "vorher" + std::to_string(++n) + ".bmp";
        const std::string after = "ost" + std::to_string(n) + ".bmp";
        chart(before, 400, 300, "BMP");
        chart(after, 1000, 800, "BMP");
        window().FillMapList();
        select(QString::fromStdString(before));
        typeEdges(c.boxes[0], c.boxes[1], c.boxes[2], c.boxes[3]);
        for (size_t i = 0; i < 4; ++i)
            window().cmbLatLong[i]->setCurrentIndex(c.selectors[i]);
        ASSERT_TRUE(window().cmdSpeichern_Click()) << c.before;

        openOn(after);
        ASSERT_EQ(messages.size(), 1u) << c.before;
        EXPECT_EQ(messages.front().text, "Karte wurde kalibriert.") << c.before;
        EXPECT_EQ(tvtest::readFile(karten() / ("ost" + std::to_string(n) + ".crm")),
                  "47.2\r\n48.4\r\n8.15\r\n10.45\r\n")
            << c.before;
        EXPECT_EQ(field("Links", after), (std::vector<std::string>{"8.15"})) << c.before;
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(window().cmbLatLong[i]->currentIndex(), 0) << c.before << " selector " << i;
    }
}

TEST_F(TwoPointWindow, AWesternChartIsStoredWestWhetherTypedAsMagnitudesOrSigned)
{
    struct Case
    {
        const char* what;
        const char* row;  // the chart's stored row, or none
        bool chooseWest;  // the pilot picks W for both longitude edges first
        const char* lon1; // typed for point 1 at x = 100, then for point 2 at x = 900
        const char* lon2;
    };
    const Case cases[] = {
        {"magnitudes on a chart stored west", "-10, -8", false, "9,3", "8,3"},
        {"magnitudes after choosing W W", nullptr, true, "9,3", "8,3"},
        {"minus signs on a chart shown east", nullptr, false, "-9,3", "-8,3"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "west" + std::to_string(++n) + ".jpg";
        chart(name, 1000, 800, "JPEG");
        if (c.row)
            mapsRow("'" + name + "', 47, 49, " + c.row + ", 1000, 800, 0");
        window().FillMapList();
        select(QString::fromStdString(name));
        if (c.chooseWest) {
            choose(2, "W");
            choose(3, "W");
        }
        drive = [&c](tv::frmCalRect& w) {
            w.SlideMap->setValue(100);
            doubleClickAt(w, 100, 100);
            enterCoordinates(w, 1, "48,3", c.lon1);
            scrollDown(w, 5);
            doubleClickAt(w, 900, 700);
            type(w.tLat[2], "48");
            type(w.tLong[2], c.lon2);
            EXPECT_EQ(w.takenAs[2]->text(), "N 48°00'  W 8°30'") << c.what << ", before saving";
            key(w.tLong[2], Qt::Key_Return);
        };
        messages.clear();
        window().cmdCalibrate_Click();

        ASSERT_EQ(messages.size(), 1u) << c.what;
        EXPECT_EQ(messages.front().text, "Karte wurde kalibriert.") << c.what;
        EXPECT_EQ(field("Links", name), (std::vector<std::string>{"-9.375"})) << c.what;
        EXPECT_EQ(field("Rechts", name), (std::vector<std::string>{"-8.225"})) << c.what;
        EXPECT_EQ(shownHemispheres(), "NNWW") << c.what;
    }
}

TEST_F(TwoPointWindow, MinutesOfSixtyOrMoreAreRefusedInEveryBox)
{
    // box 0: the upper edge; 1: point 1's latitude; 2: point 2's longitude.
    const struct
    {
        int box;
        const char* typed;
        bool refused;
    } cases[] = {{0, "48,75", true}, {0, "48.75", true},  {0, "48,59", false}, {1, "48,75", true},
                 {1, "48.75", true}, {1, "48,59", false}, {2, "9,6", true}};
    int n = 0;
    for (const auto& c : cases) {
        const std::string stem = "karte" + std::to_string(++n), what = stem + " " + c.typed;
        chart(stem + ".bmp", 1000, 800, "BMP");
        drive = [&c](tv::frmCalRect& w) {
            w.SlideMap->setValue(100);
            doubleClickAt(w, 100, 100);
            enterCoordinates(w, 1, c.box == 1 ? c.typed : "48,3", "8,3");
            placePoint2At(w, 900); // places point 1 again when it was refused
            enterCoordinates(w, 2, "47,3", c.box == 2 ? c.typed : "9,3");
        };
        select(QString::fromStdString(stem + ".bmp"));
        messages.clear();
        typeEdges("47,4", c.box == 0 ? c.typed : "48,1", "8,5", "9,3");
        c.box == 0 ? window().cmdSpeichern->click() : window().cmdCalibrate->click();
        ASSERT_EQ(messages.size(), c.refused || c.box > 0 ? 1u : 0u) << what;
        if (c.refused) {
            EXPECT_EQ(messages.front().text,
                      "Bitte Kartendaten checken.Daten können nicht gespeichert werden.")
                << what;
        }
        EXPECT_EQ(stillOpen, c.refused && c.box > 0) << what;
        EXPECT_EQ(fs::exists(karten() / (stem + ".crm")), !c.refused) << what;
        EXPECT_EQ(field("Name", stem + ".bmp").empty(), c.refused) << what;
        closeAllWindows();
        stillOpen = false;
    }
}

TEST_F(TwoPointWindow, KeepsItsSizeWhilePointsArePlaced)
{
    chart("demo.bmp", 1000, 800, "BMP");
    drive = [](tv::frmCalRect& w) {
        const auto settled = [&w] {
            QApplication::processEvents();
            return w.size();
        };
        const QSize atOpening = settled();
        w.SlideMap->setValue(100);
        doubleClickAt(w, 100, 100);
        EXPECT_EQ(settled(), atOpening) << "point 1 placed";
        enterCoordinates(w, 1, "48,3", "8,3");
        doubleClickAt(w, 900, 300);
        EXPECT_FALSE(w.frmP[2]->isHidden());
        EXPECT_EQ(settled(), atOpening) << "point 2 placed";
        doubleClickAt(w, 900, 350);
        EXPECT_EQ(settled(), atOpening) << "point 2 placed again";
    };
    openOn("demo.bmp");
    EXPECT_TRUE(opened);
}

TEST_F(TwoPointWindow, ARefusedSaveKeepsTheWindowOpenWithPoint2Unlocked)
{
    chart("demo.bmp", 1000, 800, "BMP");
    fs::create_directory(karten() / "demo.crm"); // the calibration file cannot be written
    drive = [](tv::frmCalRect& w) {
        placeBothPoints(w);
        EXPECT_TRUE(w.cmdSave[2]->isEnabled());
        EXPECT_TRUE(w.tQuickfind[2]->isEnabled());
    };
    openOn("demo.bmp");

    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().title, "Datenfehler");
    EXPECT_TRUE(field("Name", "demo.bmp").empty());
}

TEST_F(TwoPointWindow, PointsTooCloseAskForOthers)
{
    chart("demo.bmp", 1000, 800, "BMP");
    drive = [](tv::frmCalRect& w) {
        placeBothPoints(w, "9,3", 110);
        EXPECT_EQ(w.tLat[2]->text(), "47,3") << "the texts stay";
        EXPECT_TRUE(w.cmdSave[2]->isEnabled());
    };
    openOn("demo.bmp");

    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text, "Bitte andere Koordinatenpunkte aussuchen...");
    EXPECT_FALSE(fs::exists(karten() / "demo.crm"));
}

TEST_F(TwoPointWindow, TheEnterThatClosesTheMessageDoesNotAskAgain)
{
    chart("demo.bmp", 1000, 800, "BMP");
    drive = [this](tv::frmCalRect& w) {
        placePoint1(w);
        placePoint2At(w, 110);
        type(w.tLat[2], "47,3");
        key(w.tLat[2], Qt::Key_Return);
        type(w.tLong[2], "9,3");
        messages.clear();
        tvtest::EnterClosesMessages closer(messages);
        tvtest::pressKey(&w, Qt::Key_Return);
        tvtest::releaseKey(&w, Qt::Key_Return); // saves: the points are too close
        tvtest::releaseKey(&w, Qt::Key_Return); // the Enter that closed the message
    };
    openOn("demo.bmp");

    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text, "Bitte andere Koordinatenpunkte aussuchen...");
}

TEST_F(TwoPointWindow, DoesNotOpenOnAChartThatCannotBeShown)
{
    tvtest::writeFile(karten() / "leer.bmp", "BM");
    tvtest::writeFile(karten() / "kaputt.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10", 6));
    for (const char* name : {"leer.bmp", "kaputt.jpg"}) {
        openOn(name);
        EXPECT_FALSE(opened) << name;
        ASSERT_FALSE(messages.empty()) << name;
        EXPECT_TRUE(messages.back().text.contains(name)) << name;
    }
}

TEST_F(TwoPointWindow, TheViewShowsTheCrossHairAndTheMarkedPoint)
{
    chart("demo.bmp", 1000, 800, "BMP");
    drive = [](tv::frmCalRect& w) {
        EXPECT_FLOAT_EQ(w.view().sourceWidth(), 500.0f) << "opens on the upper left half";
        doubleClickAt(w, 200, 150);
        const auto at = w.view().imageToView(QPointF(200, 150));
        ASSERT_TRUE(at);
        const tv::DrawSurface& s = w.picMap->surface();
        // Blue ring of radius 5, black ring of radius 8 around the mark (5 pixels wide each);
        // the cross-hair is black through the same point.
        EXPECT_EQ(s.Point(at->x() + 4, at->y()), 0xFF0000);
        EXPECT_EQ(s.Point(at->x() + 9, at->y()), 0x000000);
        EXPECT_EQ(s.Point(at->x(), at->y() + 40), 0x000000);
        EXPECT_EQ(s.Point(at->x() + 40, at->y() + 3), 0xFFFFFF) << "chart white off the lines";
    };
    openOn("demo.bmp");
    EXPECT_TRUE(opened);
}

TEST_F(TwoPointWindow, ArrowKeysScrollByATwentiethOfTheImage)
{
    chart("demo.bmp", 1000, 800, "BMP");
    drive = [](tv::frmCalRect& w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(w.tLat[1], &press);
        EXPECT_TRUE(w.timArr->isRunning());
        for (int tick = 0; tick < 10; ++tick)
            w.timArr->fire();
        EXPECT_FLOAT_EQ(w.view().sourceX(), 500.0f) << "stops at W - SW";
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(w.tLat[1], &release);
        EXPECT_FALSE(w.timArr->isRunning());
    };
    openOn("demo.bmp");
    EXPECT_TRUE(opened);
}

} // namespace
