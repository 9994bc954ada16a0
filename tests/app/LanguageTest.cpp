#include "app/Main.h"
#include "app/frmSplash.h"
#include "core/forms/VbTimer.h"
#include "core/windows/QtTranslations.h"
#include "core/windows/frmSettings.h"
#include "flight/frmGPSmain.h"

#include "core/windows/FrameFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>

using windowstest::FrameFixture;

namespace {

// What a pilot reads in the program's own windows and in Qt's dialogs, in the language chosen
// at start and after each click on a language button of the settings window.
class LanguageSwitch : public FrameFixture
{
protected:
    void TearDown() override
    {
        tv::useQtTranslations(1); // the next tests get Qt's own texts again
        FrameFixture::TearDown();
    }

    // The buttons of a question as the program asks it (a real message box, answered No).
    QStringList questionButtons()
    {
        tv::setMsgBoxHook(nullptr);
        QStringList buttons;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                for (const QAbstractButton* b : box->buttons())
                    buttons << b->text();
                box->button(QMessageBox::No)->click();
            }
        });
        answer.start(10);
        tv::MsgBox(QStringLiteral("Soll die Strecke - Test - gelöscht werden ?"), QString(),
                   tv::MsgButtons::YesNo);
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return tv::MsgResult::Ok;
        });
        std::sort(buttons.begin(), buttons.end());
        return buttons;
    }

    // The captions and button texts of a file dialog drawn by Qt itself.
    static QStringList fileDialogTexts()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList texts;
        for (const QLabel* l : dialog.findChildren<QLabel*>())
            texts << l->text();
        for (const QPushButton* b : dialog.findChildren<QPushButton*>())
            texts << b->text();
        return texts;
    }

    static QString routeGridCaption()
    {
        const QAbstractItemModel* grid = tv::forms().get<tv::frmGPSmain>().gridWaypoints->model();
        return grid->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString();
    }
};

} // namespace

TEST_F(LanguageSwitch, QtDialogsAndTheRouteGridFollowTheLanguageButtons)
{
    layoutComplete();
    writeFile("lang.crm", "0\r\n");
    tv::forms().get<tv::frmSplash>().Timer1->fire(); // the start hands over to the main frame
    tv::Main* frame = tv::forms().find<tv::Main>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(questionButtons(), (QStringList{"&Ja", "&Nein"})) << "German from the start";
    EXPECT_EQ(routeGridCaption(), "     Streckenpunkte");

    const struct
    {
        const char* button;
        QStringList yesNo;
        QString fileName;
        QString cancel;
        QString routeGrid;
    } steps[] = {
        {"English", {"&No", "&Yes"}, "File &name:", "Cancel", "      Routepoints"},
        {"Deutsch", {"&Ja", "&Nein"}, "Datei&name:", "Abbrechen", "     Streckenpunkte"},
    };
    for (const auto& step : steps) {
        frame->clickToolButton(5);
        tv::frmSettings& settings = tv::forms().get<tv::frmSettings>();
        (step.button == QStringLiteral("English") ? settings.OptEng : settings.OptGer)->click();
        EXPECT_EQ(questionButtons(), step.yesNo) << step.button;
        const QStringList file = fileDialogTexts();
        EXPECT_TRUE(file.contains(step.fileName))
            << step.button << ": " << file.join(", ").toStdString();
        EXPECT_TRUE(file.contains(step.cancel)) << step.button;
        frame->clickToolButton(1);
        EXPECT_EQ(routeGridCaption(), step.routeGrid) << step.button;
    }
}
