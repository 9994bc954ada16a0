#include "core/windows/frmSettings.h"
#include "planning/frmLuftraumSettings.h"

#include "FrameFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>

#include <functional>

using windowstest::FrameFixture;

namespace {

class TypedIntoAComboBox : public FrameFixture
{
protected:
    // Types `keys` into the box's empty edit line, one key at a time, with the keyboard in the
    // box as when the pilot clicked into it; what the box then holds.
    static QString typeInto(QComboBox& box, const QString& keys)
    {
        box.window()->show();
        box.window()->activateWindow();
        box.setFocus();
        QElapsedTimer clock;
        clock.start();
        while (!box.lineEdit()->hasFocus() && clock.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        box.lineEdit()->clear();
        for (const QChar key : keys) {
            const int code = key.unicode();
            QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QString(key));
            QApplication::sendEvent(box.lineEdit(), &press);
            QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, QString(key));
            QApplication::sendEvent(box.lineEdit(), &release);
        }
        QApplication::processEvents();
        return box.currentText();
    }
};

} // namespace

TEST_F(TypedIntoAComboBox, StaysAsTypedThoughAListEntryBeginsWithIt)
{
    layoutComplete();
    openMainConnection();
    auto interval = []() -> QComboBox& {
        tv::frmSettings& w = tv::forms().get<tv::frmSettings>();
        w.chkTrack->setChecked(true); // the box takes keys only with the logger on
        return *w.cmbTrack;
    };
    auto altitude = []() -> QComboBox& {
        return *tv::forms().get<tv::frmLuftraumSettings>().cmbHoehe;
    };
    const struct
    {
        const char* box;
        std::function<QComboBox&()> open;
        QString typed; // the list holds an entry that begins with it
    } cases[] = {
        {"track interval", interval, "2"},
        {"track interval", interval, "1"},
        {"airspace altitude", altitude, "5"},
        {"airspace altitude", altitude, "75"},
    };
    for (const auto& c : cases) {
        QComboBox& box = c.open();
        EXPECT_EQ(typeInto(box, c.typed), c.typed) << c.box << " " << c.typed.toStdString();
    }
}
