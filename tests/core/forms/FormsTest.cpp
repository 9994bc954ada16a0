#include "core/forms/Forms.h"
#include "core/forms/MsgBox.h"
#include "core/forms/VbTimer.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList journal;

class frmOne : public tv::MdiForm
{
public:
    QString formName() const override { return "frmOne"; }
    void Form_Load() override { journal << "load one"; }
    void Form_Activate() override { journal << "activate one"; }
    void Form_Deactivate() override { journal << "deactivate one"; }
    void Form_Unload() override { journal << "unload one"; }
};

class frmTwo : public tv::MdiForm
{
public:
    QString formName() const override { return "frmTwo"; }
    void Form_Load() override { journal << "load two"; }
    void Form_Activate() override { journal << "activate two"; }
    void Form_Deactivate() override { journal << "deactivate two"; }
    void Form_Unload() override { journal << "unload two"; }
};

class frmAsk : public tv::DialogForm
{
public:
    QString formName() const override { return "frmAsk"; }
    void Form_Load() override { journal << "load ask"; }
    void Form_Unload() override { journal << "unload ask"; }
};

class FormRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        journal.clear();
        area_ = new QMdiArea;
        area_->resize(800, 600);
        tv::forms().setMdiArea(area_);
    }
    void TearDown() override
    {
        tv::forms().unloadAll(QString());
        tv::forms().setMdiArea(nullptr);
        delete area_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QMdiArea* area_ = nullptr;
};

} // namespace

TEST_F(FormRegistryTest, WindowIsCreatedOnceOnFirstTouch)
{
    EXPECT_EQ(tv::forms().find<frmOne>(), nullptr);
    frmOne& a = tv::forms().get<frmOne>();
    frmOne& b = tv::forms().get<frmOne>();
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(journal, QStringList{"load one"});
}

TEST_F(FormRegistryTest, SwitchingModeWindowsDeactivatesTheOldOneFirst)
{
    tv::forms().showMaximized(tv::forms().get<frmOne>());
    tv::forms().showMaximized(tv::forms().get<frmTwo>());
    tv::forms().showMaximized(tv::forms().get<frmOne>());
    EXPECT_EQ(journal, (QStringList{"load one", "activate one", "load two", "deactivate one",
                                    "activate two", "deactivate two", "activate one"}));
}

TEST_F(FormRegistryTest, UnloadAllWalksCreationOrderAndSparesTheNamedWindow)
{
    tv::forms().get<frmTwo>();
    tv::forms().get<frmOne>();
    journal.clear();
    tv::forms().unloadAll("frmOne");
    EXPECT_EQ(journal, QStringList{"unload two"});
    EXPECT_EQ(tv::forms().loadedNames(), QStringList{"frmOne"});
    tv::forms().unloadAll(QString());
    EXPECT_TRUE(tv::forms().loadedNames().isEmpty());
    // A window touched again after its unload is a new one that loads again.
    journal.clear();
    tv::forms().get<frmOne>();
    EXPECT_EQ(journal, QStringList{"load one"});
}

TEST_F(FormRegistryTest, ModalDialogAnsweredByTheHookUnloadsOnce)
{
    tv::forms().setModalHook([](tv::DialogForm& d) {
        journal << "shown " + d.formName();
        return 1;
    });
    EXPECT_EQ(tv::forms().showModal(tv::forms().get<frmAsk>()), 1);
    tv::forms().setModalHook(nullptr);
    EXPECT_EQ(journal, (QStringList{"load ask", "shown frmAsk", "unload ask"}));
    EXPECT_EQ(tv::forms().find<frmAsk>(), nullptr);
}

TEST(WindowTimer, IntervalZeroOrBelowMeansStopped)
{
    tv::VbTimer timer;
    int ticks = 0;
    timer.onTick([&] { ++ticks; });
    timer.setInterval(0);
    EXPECT_FALSE(timer.isRunning());
    timer.setInterval(-5);
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.interval(), 0);
    timer.setInterval(1000);
    EXPECT_TRUE(timer.isRunning());
    timer.fire();
    EXPECT_EQ(ticks, 1);
    timer.setInterval(0);
    EXPECT_FALSE(timer.isRunning());
}

TEST(MessageBoxHook, AnswersInsteadOfAPerson)
{
    QList<tv::MsgRecord> seen;
    tv::setMsgBoxHook([&](const tv::MsgRecord& r) {
        seen << r;
        return tv::MsgResult::No;
    });
    EXPECT_EQ(tv::MsgBox("Löschen?", "Frage", tv::MsgButtons::YesNo), tv::MsgResult::No);
    tv::setMsgBoxHook(nullptr);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].text, "Löschen?");
}

TEST(MessageBox, ShowsANameAsTypedEvenWhenItLooksLikeMarkup)
{
    for (const QString name : {"<b>Ulm</b>", "A&amp;B", "<img src=x>"}) {
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (const QLabel* label : box->findChildren<QLabel*>()) {
                if (label->text() == box->text() && label->textFormat() == Qt::PlainText)
                    shown = label->text();
            }
            box->button(QMessageBox::Ok)->click();
        });
        tv::MsgBox("Wegpunkt " + name, "Datenfehler", tv::MsgButtons::Ok);
        EXPECT_EQ(shown, "Wegpunkt " + name);
    }
}
