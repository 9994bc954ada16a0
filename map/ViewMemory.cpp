#include "map/ViewMemory.h"

#include "platform/DbError.h"
#include "platform/Log.h"
#include "platform/Recordset.h"

#include <exception>

namespace tv {

namespace {

const char* const kKarte = "Karte";

void appendFields(Recordset& rs)
{
    rs.AppendField(kKarte, FieldType::Text, 0, true);
    for (const char* name : {"SX", "SY", "SW", "SH", "SlideMap"})
        rs.AppendField(name, FieldType::Double, 0, true);
    rs.AppendField("CenterMap", FieldType::Boolean, 0, true);
}

std::string withoutTrailingBlanks(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Moves to the row of `chart`; false (at EOF) when there is none.
bool seek(Recordset& memory, const std::string& chart)
{
    if (memory.State() != Recordset::kStateOpen || memory.RecordCount() == 0)
        return false;
    memory.MoveFirst();
    memory.Find(kKarte, CompareOp::Equal, Value(withoutTrailingBlanks(chart)));
    return !memory.Eof();
}

} // namespace

std::shared_ptr<Recordset> newViewMemory()
{
    auto memory = std::make_shared<Recordset>();
    appendFields(*memory);
    memory->Open();
    return memory;
}

std::shared_ptr<Recordset> loadViewMemory(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return newViewMemory();
    try {
        Recordset file;
        file.OpenFile(path);
        // Copy into a fresh memory: the chart name field gets no length limit, whatever the
        // file declared, and names lose the blanks a fixed-length field padded them with.
        auto memory = newViewMemory();
        if (file.RecordCount() > 0) {
            file.MoveFirst();
            while (!file.Eof()) {
                memory->AddNew();
                memory->SetField(kKarte,
                                 Value(withoutTrailingBlanks(file.Field(kKarte).toString())));
                for (const char* name : {"SX", "SY", "SW", "SH", "SlideMap", "CenterMap"}) {
                    if (file.FieldIndex(name) >= 0)
                        memory->SetField(name, file.Field(name));
                }
                memory->Update();
                file.MoveNext();
            }
        }
        return memory;
    } catch (const std::exception& e) {
        logIgnoredFault(e, "an unreadable view memory starts empty");
        return newViewMemory();
    }
}

std::optional<StoredView> findView(Recordset& memory, const std::string& chart)
{
    try {
        if (!seek(memory, chart))
            return std::nullopt;
        StoredView view;
        const Value sx = memory.Field("SX");
        const Value sy = memory.Field("SY");
        const Value sw = memory.Field("SW");
        const Value sh = memory.Field("SH");
        const Value slider = memory.Field("SlideMap");
        for (const Value* v : {&sx, &sy, &sw, &sh, &slider}) {
            if (!v->asNumber())
                return std::nullopt;
        }
        view.sx = *sx.asNumber();
        view.sy = *sy.asNumber();
        view.sw = *sw.asNumber();
        view.sh = *sh.asNumber();
        view.slider = *slider.asNumber();
        view.centerMap = memory.Field("CenterMap").toBool();
        return view;
    } catch (const std::exception& e) {
        logIgnoredFault(e, "a view that cannot be read is not restored");
        return std::nullopt;
    }
}

bool storeView(Recordset& memory, const std::string& chart, const StoredView& view,
               const std::filesystem::path& path)
{
    try {
        if (memory.State() != Recordset::kStateOpen)
            return false;
        if (!seek(memory, chart))
            memory.AddNew();
        memory.SetField(kKarte, Value(withoutTrailingBlanks(chart)));
        memory.SetField("SX", view.sx);
        memory.SetField("SY", view.sy);
        memory.SetField("SW", view.sw);
        memory.SetField("SH", view.sh);
        memory.SetField("SlideMap", view.slider);
        memory.SetField("CenterMap", view.centerMap ? 1 : 0);
        memory.Update();
        memory.Save(path);
        return true;
    } catch (const std::exception& e) {
        logIgnoredFault(e, "the view is not kept; the file keeps its old content");
        if (memory.State() == Recordset::kStateOpen)
            memory.CancelUpdate();
        return false;
    }
}

} // namespace tv
