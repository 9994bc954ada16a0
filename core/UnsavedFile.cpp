#include "core/UnsavedFile.h"

#include "platform/Log.h"

#include <mutex>
#include <set>

namespace tv {
namespace {

struct Told
{
    std::mutex lock;
    std::set<std::filesystem::path> files;
};

Told& told()
{
    static Told t;
    return t;
}

} // namespace

std::optional<UnsavedNotice> unsavedNotice(const std::filesystem::path& file, int language)
{
    {
        Told& t = told();
        const std::lock_guard<std::mutex> guard(t.lock);
        if (!t.files.insert(file.lexically_normal()).second)
            return std::nullopt;
    }
    const std::string path = file.string();
    if (language == 0)
        return UnsavedNotice{"Die Änderung konnte nicht in der Datei " + path +
                                 " gespeichert werden. Sie gilt nur bis zum Programmende.",
                             "Nicht gespeichert"};
    return UnsavedNotice{"The change could not be saved in the file " + path +
                             ". It applies only until the program ends.",
                         "Not saved"};
}

void passOverUnsaved(const std::filesystem::path& file, const char* why, std::source_location where)
{
    const std::string what = "cannot write " + file.string();
    logPassedOver(what.c_str(), why, where);
}

void forgetUnsavedNoticesForTesting()
{
    Told& t = told();
    const std::lock_guard<std::mutex> guard(t.lock);
    t.files.clear();
}

} // namespace tv
