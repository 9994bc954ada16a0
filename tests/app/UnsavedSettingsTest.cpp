#include "calibration/ChartSave.h"
#include "core/CoreSettings.h"
#include "core/forms/MsgBox.h"
#include "flight/ChartChoice.h"
#include "flight/FlightSettings.h"
#include "planning/PlanSettings.h"

#include "support/WindowTestBase.h"

#include <functional>

namespace {

using UnsavedSettings = tvtest::WindowTestBase;

// Every settings writer where its file cannot be written (a folder stands in its place, which
// stops root as well as anyone else): the writer says so, the pilot hears of it once in the
// session, naming the file, in the window's language.
TEST_F(UnsavedSettings, EachWriterThatCannotWriteItsFileIsToldOnceNamingTheFile)
{
    namespace fs = std::filesystem;
    const fs::path folder = dir.path();
    fs::create_directory(folder / "Karten");
    struct Writer
    {
        const char* file;
        std::function<bool()> write;
    };
    const Writer writers[] = {
        {"planung.crm",
         [&] { return tv::savePlanSettings(folder, tv::PlanAirspaceChoice::atAltitude(3000)); }},
        {"Set.crm", [&] { return tv::SaveSetFile(folder / "Set.crm", tv::LayerFlags{}); }},
        {"VOR.crm",
         [&] {
             return tv::SaveVorFile(folder / "VOR.crm", {"STG", "VOR", "90"});
         }},
        {"kartendaten.crm",
         [&] { return tv::ChartChoice().writeLastMap(folder / "kartendaten.crm", "Alpen"); }},
        {"Karten/LatData.crm",
         [&] { return tv::saveLatSettings(folder / "Karten/LatData.crm", {}); }},
        {"Karten/demo.crm",
         [&] {
             return tv::writeCalibrationFile(folder / "Karten/demo.crm", {48, 49, 9, 11});
         }},
        {"lang.crm", [] { return tv::SaveLanguage(); }},
        {"symbol.crm", [] { return tv::SaveSymbol(); }},
        {"track.crm", [] { return tv::WriteTrackRecordSwitch(5000); }},
        {"LR.crm", [] { return tv::SaveQnh(); }},
        {"data.crm", [] { return tv::SaveComSettings("2", "9600"); }},
        {"version.crm", [] { return tv::WriteVersionFile(); }},
    };
    for (const int language : {0, 1}) {
        tv::resetGlobalsForTesting();
        tv::Language = static_cast<int16_t>(language);
        messages.clear();
        for (const Writer& w : writers) {
            const fs::path file = folder / w.file;
            fs::create_directories(file);
            for (int attempt = 0; attempt < 2; ++attempt) {
                EXPECT_FALSE(w.write()) << w.file;
                tv::reportUnsaved(file); // what every window does with a false
            }
            EXPECT_TRUE(fs::is_directory(file)) << w.file;
        }
        ASSERT_EQ(messages.size(), std::size(writers)) << "one message per file";
        for (size_t i = 0; i < std::size(writers); ++i) {
            const QString path = QString::fromStdString((folder / writers[i].file).string());
            EXPECT_TRUE(messages[i].text.contains(path)) << messages[i].text.toStdString();
            EXPECT_EQ(messages[i].title, language == 0 ? "Nicht gespeichert" : "Not saved");
        }
    }
}

} // namespace
