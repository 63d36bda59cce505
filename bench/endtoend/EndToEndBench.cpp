// The whole system end to end: `orvel run` on a generated script of N pages,
// each with a header "Report Page <PAGE>", 20 body lines of about 60
// characters in Times New Roman 20 (every fifth in Arial 26 bold), one web
// link, one sentence of notes, a footer text and the slide number; close
// pause 0. For N = 100, 1,000 and 10,000 it reports the wall time, the CPU
// time and the peak memory of the orvel process, the file size, and the time
// zlib alone takes to deflate the XML bytes of the written package (goal: the
// run takes at most 3 times that). Ten times the work should take at most
// 10.5 times as long (1,000 -> 10,000 pages); peak memory under 250 MB at
// 10,000. The second argument, ppt:1, writes the deck as deck.ppt (the
// PowerPoint 97-2003 format) instead: at 1,000 pages and at 1,364, the most
// that format holds of this deck (a page's lines fill two slides, and it has
// a notes page: three drawings, of the 4,094 a .ppt numbers, two of them the
// masters), each beside the .pptx of the same pages. Pick with
// --benchmark_filter, e.g.
//   endtoend_bench --benchmark_filter='pages:(1000|1364)/' --benchmark_repetitions=3
//                  --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    double seconds = 0;
    double cpuSeconds = 0;  // user and system
    double peakMegabytes = 0;
    bool ok = false;
};

// Runs the orvel program and measures it as a child process.
Outcome runOrvel(const std::vector<std::string>& args, const fs::path& dir)
{
    std::vector<char*> argv;
    std::string program = std::string(ORVEL_BIN_DIR) + "/orvel";
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Outcome o;
    o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    o.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    o.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    o.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return o;
}

std::string bodyLine(int page, int line)
{
    std::string text = "Page " + std::to_string(page) + ", line " + std::to_string(line) +
                       ": the quarter's figures, region by region, in detail";
    text.resize(60, '.');
    return text;
}

void writeScript(const fs::path& file, int pages, const std::string& deck)
{
    std::ofstream out(file);
    out << "orvel->start();\n"
           "orvel->create(\"" << deck << "\");\n"
           "orvel->startHeader();\n"
           "orvel->insertText(\"Report Page \");\n"
           "orvel->insertField(4);\n"
           "orvel->endHeader();\n"
           "orvel->startFooter();\n"
           "orvel->insertText(\"Orvel end-to-end benchmark\");\n"
           "orvel->insertField(4);\n"
           "orvel->endFooter();\n"
           "orvel->setStyle(\"Normal\");\n";
    for (int page = 1; page <= pages; ++page) {
        for (int line = 1; line <= 20; ++line) {
            bool emphasised = line % 5 == 0;
            if (emphasised)
                out << "orvel->setFontName(\"Arial\");\norvel->setFontSize(26);\norvel->setFontAttribute(Bold,TRUE);\n";
            out << "orvel->insertText(\"" << bodyLine(page, line) << "\");\norvel->insertEndl();\n";
            if (emphasised)
                out << "orvel->setFontAttribute(Bold,FALSE);\norvel->setFontName(\"Times New Roman\");\n"
                       "orvel->setFontSize(20);\n";
        }
        out << "orvel->insertText(\"More at <a href=\"https://www.example.com/report/" << page
            << "\">the report site</a>.\");\norvel->insertEndl();\n"
            << "orvel->setOption(\"startNote\",\"\");\norvel->insertText(\"Notes for page " << page
            << ".\");\norvel->setOption(\"endNote\",\"\");\n";
        if (page < pages) out << "orvel->insertPageBreak();\n";
    }
    out << "orvel->close();\norvel->stop();\n";
}

struct PackageXml {
    std::vector<std::string> parts;
    std::size_t bytes = 0;
    int slides = 0;
};

PackageXml readXmlParts(const fs::path& package)
{
    PackageXml xml;
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(package.c_str(), ZIP_RDONLY, &error), &zip_discard);
    if (!archive) return xml;
    zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        std::string name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (name.starts_with("ppt/slides/slide") && name.ends_with(".xml")) ++xml.slides;
        if (!name.ends_with(".xml") && !name.ends_with(".rels")) continue;
        zip_stat_t st;
        zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &st);
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> f(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0),
                                                             &zip_fclose);
        std::string bytes(static_cast<std::size_t>(st.size), '\0');
        zip_fread(f.get(), bytes.data(), st.size);
        xml.bytes += bytes.size();
        xml.parts.push_back(std::move(bytes));
    }
    return xml;
}

// zlib alone on the same bytes, part by part as a zip writer deflates them;
// the best of three.
double deflateSeconds(const PackageXml& xml)
{
    double best = 1e9;
    std::vector<unsigned char> out;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (const std::string& part : xml.parts) {
            z_stream z{};
            deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
            out.resize(deflateBound(&z, part.size()));
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(part.data()));
            z.avail_in = static_cast<uInt>(part.size());
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            deflate(&z, Z_FINISH);
            deflateEnd(&z);
            benchmark::DoNotOptimize(out.data());
        }
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

fs::path benchFolder;  // outlives the exit handler that removes it

// A folder and registry of its own, with the modules registered by a first
// small run.
const fs::path& benchDir()
{
    if (benchFolder.empty()) {
        char pattern[] = "/tmp/orvel-endtoend-XXXXXX";
        benchFolder = mkdtemp(pattern);
        setenv("ORVEL_REGISTRY", (benchFolder / "registry.db").c_str(), 1);
        setenv("HOME", benchFolder.c_str(), 1);  // a failed save's untitled copy stays in here
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(benchFolder, ec);
        });
        writeScript(benchFolder / "warm.orvel", 1, "deck.pptx");
        runOrvel({"run", "--set", "PowerPoint/ClosePauseMs=0", "warm.orvel"}, benchFolder);
    }
    return benchFolder;
}

std::map<int, std::vector<double>> secondsByPages;  // of the .pptx runs, every repetition

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void EndToEnd(benchmark::State& state)
{
    const int pages = static_cast<int>(state.range(0));
    const bool ppt = state.range(1) != 0;
    const fs::path& dir = benchDir();
    const std::string deckName = ppt ? "deck.ppt" : "deck.pptx";
    const fs::path deck = dir / deckName;
    fs::path script = dir / ("pages-" + std::to_string(pages) + "-" + deckName + ".orvel");
    writeScript(script, pages, deckName);
    Outcome run;
    for (auto _ : state) {
        fs::remove(deck);
        run = runOrvel({"run", "--set", "PowerPoint/ClosePauseMs=0", script.filename().string()}, dir);
        if (!run.ok) {
            state.SkipWithError("orvel run failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["cpu_s"] = run.cpuSeconds;
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(deck)) / 1e6;
    if (ppt) return;
    PackageXml xml = readXmlParts(deck);
    double deflate = deflateSeconds(xml);
    secondsByPages[pages].push_back(run.seconds);
    state.counters["xml_MB"] = static_cast<double>(xml.bytes) / 1e6;
    state.counters["slides"] = xml.slides;
    state.counters["deflate_s"] = deflate;
    state.counters["x_deflate"] = run.seconds / deflate;
}
BENCHMARK(EndToEnd)
    ->ArgNames({"pages", "ppt"})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({1364, 0})
    ->Args({1364, 1})
    ->Args({10000, 0})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (secondsByPages.contains(1000) && secondsByPages.contains(10000))
        std::printf("scaling 1,000 -> 10,000 pages (medians): %.2fx the time (goal: at most 10.5x)\n",
                    median(secondsByPages[10000]) / median(secondsByPages[1000]));
    return 0;
}
