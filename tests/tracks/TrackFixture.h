#pragma once

// A program folder whose track.tvd holds tracks 3, 5 and 7 (numbers left by earlier deletions),
// the track manager opened on it, message boxes and save dialogs answered by the test.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "platform/Recordset.h"
#include "schema/TestDb.h"
#include "support/WindowTestBase.h"
#include "tracks/frmTrack.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include <string>
#include <vector>

namespace trackstest {

// The three tracks: 3 has two points, 5 one (without a height), 7 three.
inline void fillThreeTracks(const std::filesystem::path& trackFile)
{
    tvtest::TestDb db(trackFile);
    db.exec(R"(INSERT INTO "List" ("Index", "Name") VALUES
               (3, '08Dec26 - 14:05'), (5, '09Dec26 - 10:00'), (7, '10Dec26 - 09:30'))");
    db.exec(R"(INSERT INTO "track" VALUES
               (3, 1, 48.123456, 8.0, 13.5, '2026-12-08', '14:05:33'),
               (3, 2, 48.2, 8.1, 420.0, '2026-12-08', '14:05:43'),
               (5, 1, 47.5, 9.25, NULL, '2026-12-09', '10:00:00'),
               (7, 1, 47.1, 9.1, 500.0, '2026-12-10', '09:30:00'),
               (7, 2, 47.2, 9.2, 510.0, '2026-12-10', '09:30:10'),
               (7, 3, 47.3, 9.3, 520.0, '2026-12-10', '09:30:20'))");
}

// Track 12345 as the recorder writes points (degrees from minutes, metres from feet), with a
// south-west point, one without a height and one whose position and height are no numbers.
inline void addRecordedTrack(const std::filesystem::path& trackFile)
{
    tvtest::TestDb db(trackFile);
    db.exec(R"(INSERT INTO "List" ("Index", "Name") VALUES (12345, '12Dec26 - 11:00'))");
    db.exec(R"(INSERT INTO "track" VALUES
               (12345, 1, 48.1172833333333, 9.36666666666667, 1066.81297244574,
                '2026-12-12', '11:00:00'),
               (12345, 2, -33.8568166666667, -151.215266666667, -3.04803706413070,
                '2026-12-12', '11:00:10'),
               (12345, 3, 47.00005, 8.99995, NULL, '2026-12-12', '11:00:20'),
               (12345, 4, 'kaputt', 0, 'hoch', '2026-12-12', '11:00:30'))");
}

class TrackManagerTest : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        layout();
        fillThreeTracks(dir / "track.tvd");
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return m.buttons == tv::MsgButtons::YesNo ? answer : tv::MsgResult::Ok;
        });
        tv::frmTrack::setSaveDialogHookForTesting([this](const tv::GpxSaveRequest& r) {
            saveRequests.push_back(r);
            return saveAs;
        });
    }

    void TearDown() override
    {
        tv::frmTrack::setSaveDialogHookForTesting(nullptr);
        WindowTestBase::TearDown();
    }

    tv::frmTrack& window() { return tv::forms().get<tv::frmTrack>(); }

    // A click on the track name in list position `row`: it becomes current, then the mouse-up.
    void clickTrack(int row)
    {
        window().listTrack->setCurrentRow(row);
        window().listTrack_MouseUp();
    }

    QStringList names() const { return texts(tv::forms().get<tv::frmTrack>().listTrack); }
    QStringList numbers() const { return texts(tv::forms().get<tv::frmTrack>().listIndex); }
    std::vector<bool> ticks()
    {
        std::vector<bool> t;
        for (int i = 0; i < window().listTrack->count(); ++i)
            t.push_back(window().listTrack->item(i)->checkState() == Qt::Checked);
        return t;
    }
    int gridRows() { return window().gridTracks->model()->rowCount(); }
    QString gridText(int row, int column)
    {
        const auto* m = window().gridTracks->model();
        return m->data(m->index(row, column)).toString();
    }
    QString countLabel() { return window().lblRecords->text(); }

    // Raw look into the file, past the window.
    std::vector<std::string> fileColumn(const std::string& sql,
                                        const std::string& file = "track.tvd")
    {
        tvtest::TestDb db(dir / file);
        return db.column(sql);
    }

    static QStringList texts(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    tv::MsgResult answer = tv::MsgResult::No;
    QString saveAs;
    std::vector<tv::GpxSaveRequest> saveRequests;
};

} // namespace trackstest
