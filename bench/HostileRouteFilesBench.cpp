// Route files made to hold the reader, read as the route import reads them (importRouteFile).
// Targets (median, Release build): every file refused in under 1 s, with peak memory under
// 200 MB.
//
// Peak memory is getrusage's ru_maxrss, a high-water mark of the whole process. So that each
// case has its own, every iteration runs the import in a child process (fork): the child times
// the import alone, reads its own ru_maxrss and hands both to the parent, which reports the time
// as the iteration's time and the peak as the counter peak_MB. A forked child's mark starts at
// the parent's resident size (counter parent_MB, the benchmark's own few MB): the files are
// written to disk piece by piece and never held by the parent.
#include "planning/RouteImport.h"
#include "platform/Connection.h"
#include "platform/RowsetXml.h"
#include "schema/Layout.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

enum class Hostile {
    Utf16Attributes, // UTF-16LE, U+2227 (the bytes 27 22) then 100,000 attributes in one tag
    Utf8Attributes,  // UTF-8, 100,000 attributes in one tag
    DeepNesting,     // 1,000,000 unclosed elements
    HundredMegabytes,
    RowsUpToTheLimit, // rows up to just below the size bound, the last one beyond the pole
};

const char* const kHead = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                          "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                          "\txmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>\n"
                          "<s:Schema id='RowsetSchema'><s:ElementType name='row'>\n"
                          "<s:AttributeType name='Name'><s:datatype dt:type='string'/>"
                          "</s:AttributeType>\n"
                          "<s:AttributeType name='Lat'><s:datatype dt:type='float'/>"
                          "</s:AttributeType>\n"
                          "<s:AttributeType name='Long'><s:datatype dt:type='float'/>"
                          "</s:AttributeType>\n"
                          "</s:ElementType></s:Schema>\n<rs:data>\n";

std::string row(long i, const char* lat = "47.4018")
{
    return "\t<z:row Name='Punkt " + std::to_string(i) + "' Lat='" + lat + "' Long='9.3042'/>\n";
}

// Writes the case's file; only pieces of it are ever in memory.
void writeHostileFile(Hostile kind, const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    switch (kind) {
    case Hostile::Utf16Attributes: {
        const auto put = [&out](const std::u16string& text) {
            for (const char16_t c : text)
                out << static_cast<char>(c & 0xFF) << static_cast<char>(c >> 8);
        };
        out << "\xFF\xFE";
        put(std::u16string(kHead, kHead + std::char_traits<char>::length(kHead)));
        put(u"<z:row Name='\u2227'");
        for (int i = 0; i < 100000; ++i) {
            const std::string a = " a" + std::to_string(i) + "='1'";
            put(std::u16string(a.begin(), a.end()));
        }
        put(u"/>\n</rs:data>\n</xml>\n");
        break;
    }
    case Hostile::Utf8Attributes:
        out << kHead << "<z:row Name='\xE2\x88\xA7'";
        for (int i = 0; i < 100000; ++i)
            out << " a" << i << "='1'";
        out << "/>\n</rs:data>\n</xml>\n";
        break;
    case Hostile::DeepNesting:
        out << "<xml>";
        for (int i = 0; i < 1000000; ++i)
            out << "<a>";
        break;
    case Hostile::HundredMegabytes: {
        out << kHead;
        for (long i = 0; out.tellp() < 100L * 1024 * 1024; ++i)
            out << row(i);
        out << "</rs:data>\n</xml>\n";
        break;
    }
    case Hostile::RowsUpToTheLimit: {
        out << kHead;
        const long limit = static_cast<long>(tv::kMaxRowsetFileBytes) - 200;
        long i = 0;
        while (out.tellp() + static_cast<long>(row(i).size()) < limit)
            out << row(i++);
        out << row(i, "91") << "</rs:data>\n</xml>\n";
        break;
    }
    }
}

class BenchFolder
{
public:
    BenchFolder()
    {
        path_ =
            fs::temp_directory_path() / ("tramvik-bench-" + std::to_string(std::random_device{}()));
        tv::schema::layoutProgramFolder(path_, {});
    }
    ~BenchFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct ChildReport
{
    double seconds = 0;
    long maxRssKb = 0;
    bool imported = false;
    bool ran = false;
};

// The import of `file` in a child process of its own.
ChildReport importInChild(const fs::path& data, const fs::path& file)
{
    ChildReport report;
    int fds[2];
    if (pipe(fds) != 0)
        return report;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        ChildReport r;
        tv::Connection db;
        db.Open(data.string());
        const auto start = std::chrono::steady_clock::now();
        r.imported = tv::importRouteFile(db, file).imported;
        r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        r.maxRssKb = usage.ru_maxrss;
        r.ran = true;
        [[maybe_unused]] const ssize_t n = write(fds[1], &r, sizeof r);
        _exit(0);
    }
    close(fds[1]);
    if (pid > 0) {
        if (read(fds[0], &report, sizeof report) != static_cast<ssize_t>(sizeof report))
            report = ChildReport{};
        int status = 0;
        waitpid(pid, &status, 0);
    }
    close(fds[0]);
    return report;
}

long residentKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void HostileRouteFiles(benchmark::State& state, Hostile kind)
{
    BenchFolder folder;
    const fs::path file = folder.path() / "Feind.tvr";
    writeHostileFile(kind, file);
    const double megabytes = static_cast<double>(fs::file_size(file)) / (1024 * 1024);
    double peakKb = 0;
    for (auto _ : state) {
        const ChildReport r = importInChild(folder.path() / "data.tvd", file);
        if (!r.ran) {
            state.SkipWithError("the child process did not report");
            break;
        }
        if (r.imported) {
            state.SkipWithError("a hostile file was imported");
            break;
        }
        state.SetIterationTime(r.seconds);
        peakKb = std::max(peakKb, static_cast<double>(r.maxRssKb));
    }
    state.counters["file_MB"] = megabytes;
    state.counters["peak_MB"] = peakKb / 1024;
    state.counters["parent_MB"] = static_cast<double>(residentKb()) / 1024;
}

void cases(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(7);
    b->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(HostileRouteFiles, utf16_u2227_100000_attributes, Hostile::Utf16Attributes)
    ->Apply(cases);
BENCHMARK_CAPTURE(HostileRouteFiles, utf8_100000_attributes, Hostile::Utf8Attributes)->Apply(cases);
BENCHMARK_CAPTURE(HostileRouteFiles, nested_1000000_deep, Hostile::DeepNesting)->Apply(cases);
BENCHMARK_CAPTURE(HostileRouteFiles, file_of_100_MB, Hostile::HundredMegabytes)->Apply(cases);
BENCHMARK_CAPTURE(HostileRouteFiles, rows_up_to_the_size_bound, Hostile::RowsUpToTheLimit)
    ->Apply(cases);

} // namespace

BENCHMARK_MAIN();
