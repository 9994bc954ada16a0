#include "core/Version.h"
#include "core/program/ReleaseHistory.h"
#include "core/program/UpdateCheck.h"
#include "core/windows/frmAbout.h"
#include "core/windows/frmInfo1.h"
#include "core/windows/frmInfo2.h"
#include "core/windows/frmInfo3.h"

#include "FrameFixture.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

using windowstest::FrameFixture;

// --- Release history ------------------------------------------------------------------------

namespace {

struct HistoryShape
{
    int entries = 0;
    int releases = 0;
    int empties = 0;
    int dates = 0;
    QString newest;
    QString oldest;
};

// Walks the history as the about window lists it and checks every entry's form on the way.
HistoryShape shapeOf(const QStringList& history)
{
    HistoryShape shape;
    shape.entries = static_cast<int>(history.size());
    QString previous;
    for (const QString& entry : history) {
        if (entry.isEmpty()) {
            ++shape.empties;
        } else if (entry.startsWith("- Version ")) {
            ++shape.releases;
            if (shape.newest.isEmpty())
                shape.newest = entry.mid(10);
            shape.oldest = entry.mid(10);
        } else if (entry.startsWith("- Datum: ") || entry.startsWith("- Date: ")) {
            ++shape.dates;
            EXPECT_TRUE(previous.startsWith("- Version ")) << entry.toStdString();
        } else {
            EXPECT_TRUE(entry.startsWith("- ") || entry.startsWith("  ")) << entry.toStdString();
        }
        previous = entry;
    }
    return shape;
}

// The date entry that follows release `version`, or an empty text.
QString dateOf(const QStringList& history, const QString& version)
{
    const qsizetype at = history.indexOf("- Version " + version);
    return at >= 0 && at + 1 < history.size() ? history.at(at + 1) : QString();
}

} // namespace

TEST(ReleaseHistory, BothLanguagesCoverTheSameTwelveReleasesNewestFirst)
{
    struct Case
    {
        int16_t language;
        int entries;
        int empties;
    } const cases[] = {{0, 87, 14}, {1, 75, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        const QStringList history = tv::releaseHistory(c.language);
        const HistoryShape shape = shapeOf(history);
        EXPECT_EQ(shape.entries, c.entries);
        EXPECT_EQ(shape.releases, 12);
        EXPECT_EQ(shape.empties, c.empties);
        EXPECT_EQ(shape.dates, 8);
        EXPECT_EQ(shape.newest, "1.1.2");
        EXPECT_EQ(shape.oldest, "1.0.1");
        EXPECT_EQ(history.first(), "- Version 1.1.2");
    }
}

TEST(ReleaseHistory, NewestEntryIsTheProgramsOwnVersionInBothLanguages)
{
    const QString version = tv::localVersionText();
    EXPECT_EQ(version, QString::fromLatin1(tv::kVersionText));
    for (int16_t language : {0, 1})
        EXPECT_EQ(tv::releaseHistory(language).first(), "- Version " + version) << language;
}

TEST(ReleaseHistory, DatesFromOneZeroEightBackEnglishKeepsTwoGermanOnes)
{
    const QStringList de = tv::releaseHistory(0);
    const QStringList en = tv::releaseHistory(1);
    for (const char* v : {"1.0.8", "1.0.7", "1.0.6", "1.0.5", "1.0.4", "1.0.3", "1.0.2", "1.0.1"}) {
        EXPECT_TRUE(dateOf(de, v).startsWith("- Datum: ")) << v;
    }
    for (const char* v : {"1.0.8", "1.0.7", "1.0.6", "1.0.5", "1.0.4", "1.0.3"})
        EXPECT_TRUE(dateOf(en, v).startsWith("- Date: ")) << v;
    EXPECT_TRUE(dateOf(en, "1.0.2").startsWith("- Datum: "));
    EXPECT_TRUE(dateOf(en, "1.0.1").startsWith("- Datum: "));
    EXPECT_FALSE(dateOf(de, "1.0.9").startsWith("- Datum"));
}

TEST(ReleaseHistory, AnyOtherLanguageValueIsEnglish)
{
    EXPECT_EQ(tv::releaseHistory(2), tv::releaseHistory(1));
}

// --- About and notice windows ---------------------------------------------------------------

class NoticeWindows : public FrameFixture
{
protected:
    // Shows the window modally; `look` sees it while it is open.
    template <class W> void show(std::function<void(W&)> look)
    {
        onDialog = [look](tv::DialogForm& d) {
            look(static_cast<W&>(d));
            return 0;
        };
        tv::forms().showModal(tv::forms().get<W>());
    }

    static void press(QWidget& w, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
};

TEST_F(NoticeWindows, AboutShowsVersionAndTheHistoryOfTheLanguage)
{
    tv::Language = 1;
    show<tv::frmAbout>([](tv::frmAbout& a) {
        EXPECT_EQ(a.lblVersion->text(), "Version " + tv::localVersionText());
        EXPECT_EQ(a.lblTitle->text(), "Tramvik - GPS");
        EXPECT_EQ(a.windowTitle(), "About");
        ASSERT_EQ(a.listUpdate->count(), 75);
        EXPECT_EQ(a.listUpdate->item(0)->text(), "- Version " + tv::localVersionText());
    });
}

TEST_F(NoticeWindows, AboutLinksOpenTheirAddresses)
{
    show<tv::frmAbout>([](tv::frmAbout& a) {
        a.Label1_Click();
        a.Label2_Click();
    });
    ASSERT_EQ(openedLinks.size(), 2u);
    EXPECT_EQ(openedLinks[0].scheme(), "http");
    EXPECT_NE(openedLinks[0], openedLinks[1]);
}

TEST_F(NoticeWindows, TrackNoticeInBothLanguages)
{
    show<tv::frmInfo1>([](tv::frmInfo1& w) {
        EXPECT_EQ(w.Label4->text(),
                  "Die Datei track.tvd wurde nicht im Tramvik Verzeichnis gefunden");
        EXPECT_EQ(w.Label5->text(), "Die Datei wird für den Track Logger benötigt");
        EXPECT_EQ(w.Label2->text(), "Download Datei:");
        EXPECT_EQ(w.Label3->text(), "Nach dem Download muss der Tramvik neu gestartet werden.");
        EXPECT_TRUE(w.Label1->text().endsWith("/track.tvd"));
    });
    tv::Language = 1;
    show<tv::frmInfo1>([](tv::frmInfo1& w) {
        EXPECT_EQ(w.Label4->text(), "File track.tvd was not found in the tramvik directory");
        EXPECT_EQ(w.Label5->text(), "Track.tvd is needed for the track logger");
        EXPECT_EQ(w.Label2->text(), "Download file:");
        EXPECT_EQ(w.Label3->text(), "After downloading the file please restart tramvik");
        EXPECT_TRUE(w.Label1->text().endsWith("/track.tvd"));
        w.Label1_Click();
    });
    ASSERT_EQ(openedLinks.size(), 1u);
    EXPECT_EQ(openedLinks[0].toString(), "http://" + tv::productDownloadCaption("/track.tvd"));
}

TEST_F(NoticeWindows, AirspaceNoticeTellsMissingFromOutdatedInGerman)
{
    tv::AirspaceReleaseDate = tv::kAirspaceNotOpened;
    show<tv::frmInfo3>([](tv::frmInfo3& w) {
        EXPECT_EQ(w.Label4->text(),
                  "Die Datei Luftraum.tvd wurde nicht im Tramvik Verzeichnis gefunden");
        EXPECT_EQ(w.Label5->text(), "Die Datei wird für die Darstellung des Luftraumes benötigt");
    });
    tv::AirspaceReleaseDate = tv::kAirspaceNoDate;
    show<tv::frmInfo3>([](tv::frmInfo3& w) {
        EXPECT_EQ(w.Label4->text(), "Es existiert eine aktuellere Luftraum.tvd Datei");
        w.Label1_Click();
    });
    ASSERT_EQ(openedLinks.size(), 1u);
    EXPECT_TRUE(openedLinks[0].toString().endsWith("/Luftraum.tvd"));
}

TEST_F(NoticeWindows, AirspaceNoticeInEnglishAlwaysSaysNotFound)
{
    tv::Language = 1;
    tv::AirspaceReleaseDate = tv::kAirspaceNoDate;
    show<tv::frmInfo3>([](tv::frmInfo3& w) {
        EXPECT_EQ(w.Label4->text(), "File Luftraum.tvd was not found in the tramvik directory");
        EXPECT_EQ(w.Label5->text(), "Luftraum.tvd is needed to disply airspace structures");
    });
}

TEST_F(NoticeWindows, PrintSupportLinkOpensTheServersSupportFiles)
{
    struct Case
    {
        int16_t language;
        const char* captionEnd;
        const char* opened; // "" when nothing opens
    };
    for (const Case& c : {Case{0, "/setup-d.exe", "/support-d.exe"},
                          Case{1, "/setup-e.exe", "/support-e.exe"}, Case{2, "/setup-e.exe", ""}}) {
        tv::Language = c.language;
        QString caption;
        show<tv::frmInfo2>([&caption](tv::frmInfo2& w) {
            caption = w.Label1->text();
            w.Label1_Click();
        });
        EXPECT_TRUE(caption.endsWith(c.captionEnd)) << c.language;
        if (*c.opened == '\0') {
            EXPECT_TRUE(openedLinks.empty()) << c.language;
        } else {
            ASSERT_EQ(openedLinks.size(), 1u) << c.language;
            const QString host = caption.left(caption.indexOf('/'));
            EXPECT_EQ(openedLinks[0].toString(), "http://" + host + c.opened) << c.language;
        }
        openedLinks.clear();
    }
}

TEST_F(NoticeWindows, PrintSupportTextsByLanguage)
{
    show<tv::frmInfo2>([](tv::frmInfo2& w) {
        EXPECT_EQ(w.Label4->text(), "Tramvik benötigt die setup-d.exe Datei");
        EXPECT_EQ(w.Label3->text(), "Die Dateien werden für die Druckunterstützung benötigt");
    });
    tv::Language = 1;
    show<tv::frmInfo2>([](tv::frmInfo2& w) {
        EXPECT_EQ(w.Label4->text(), "Tramvik needs the setup-e.exe file.");
        EXPECT_EQ(w.Label5->text(), "Please download and install the file");
    });
}

TEST_F(NoticeWindows, EnterAndEscCloseEveryWindow)
{
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        auto closes = [key](tv::DialogForm& d) {
            d.show();
            press(d, key);
            return d.isHidden();
        };
        bool closed[4] = {};
        show<tv::frmAbout>([&](tv::frmAbout& w) { closed[0] = closes(w); });
        show<tv::frmInfo1>([&](tv::frmInfo1& w) { closed[1] = closes(w); });
        show<tv::frmInfo2>([&](tv::frmInfo2& w) { closed[2] = closes(w); });
        show<tv::frmInfo3>([&](tv::frmInfo3& w) { closed[3] = closes(w); });
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(closed[i]) << "window " << i << " key " << key;
    }
}

TEST_F(NoticeWindows, LinkHoverChangesColourAndLeavingRestoresIt)
{
    show<tv::frmInfo1>([](tv::frmInfo1& w) {
        const QColor normal = w.Label1->palette().color(QPalette::WindowText);
        EXPECT_EQ(normal, QColor(0x00, 0x00, 0xC0));
        w.Label1_MouseMove();
        EXPECT_EQ(w.Label1->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0xC0));
        w.Form_MouseMove();
        EXPECT_EQ(w.Label1->palette().color(QPalette::WindowText), normal);
    });
}
