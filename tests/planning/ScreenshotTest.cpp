#include "PlanWindowFixture.h"
#include "planning/frmManager.h"
#include "tools/DemoFolder.h"

#include <QApplication>
#include <QPixmap>

#include <cstdlib>

using tvtest::PlanWindowTest;

// Pictures of the plan window on the demo program folder, for looking at by eye:
// TRAMVIK_SHOTS=<folder> build/tests/planning/test_planwindow --gtest_filter=*Shots*
TEST_F(PlanWindowTest, ShotsOfTheDemoFolder)
{
    const char* out = std::getenv("TRAMVIK_SHOTS");
    if (!out)
        GTEST_SKIP() << "set TRAMVIK_SHOTS to a folder to take the pictures";
    tv::MainConnection.reset();
    tv::demo::prepareDemoFolder(dir.path());
    openMainConnection();
    tv::AirportConnection = std::make_shared<tv::Connection>();
    tv::AirportConnection->Open((dir / "tvdata.tvd").string());
    tv::AptDataAvailable = true;
    const std::string folder(out);
    for (const int16_t language : {0, 1}) {
        tv::Language = language;
        QLocale::setDefault(language == 0 ? QLocale(QLocale::German, QLocale::Germany)
                                          : QLocale(QLocale::English, QLocale::UnitedStates));
        for (const QSize size : {QSize(945, 527), QSize(1280, 800), QSize(1600, 1000)}) {
            tv::frmPlanung& w = open(size.width(), size.height());
            w.show();
            w.Form_Resize(size.width(), size.height());
            QApplication::processEvents();
            w.cmdMessen_Click();
            const QPoint cursor(w.picMap->width() * 2 / 3, w.picMap->height() / 2);
            w.picMap_MouseMove(0, cursor.x(), cursor.y());
            QApplication::processEvents();
            const QString name = QStringLiteral("%1/plan-%2-%3x%4.png")
                                     .arg(QString::fromStdString(folder))
                                     .arg(language == 0 ? "de" : "en")
                                     .arg(size.width())
                                     .arg(size.height());
            EXPECT_TRUE(w.grab().save(name));
            tv::forms().unload(&w);
            flushDeletes();
        }
        tv::frmManager& m = tv::forms().get<tv::frmManager>();
        m.show();
        QApplication::processEvents();
        EXPECT_TRUE(m.grab().save(QStringLiteral("%1/manager-%2.png")
                                      .arg(QString::fromStdString(folder))
                                      .arg(language == 0 ? "de" : "en")));
        tv::forms().unload(&m);
        flushDeletes();
    }
}
