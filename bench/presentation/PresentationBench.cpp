// Benchmarks of the PowerPoint stand-in.
//
//   AppendLines/N  N lines appended one at a time to one frame, each followed
//                  by what the text writer does: the font applied from a fixed
//                  start to the end, bullets switched on the whole frame, the
//                  paragraph end, BoundHeight read. Ten times the lines should
//                  take at most twelve times as long.
//   SaveSlides/N   N slides of 20 lines (a header label, a body, a link, notes
//                  and a footer) saved; the counter "deflate_s" is the time
//                  zlib alone takes to deflate the same XML bytes.
// Peak memory: run one case under /usr/bin/time -v (see the report).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <string>

#include "com/ComString.h"
#include "objects/Objects.h"
#include "package/PackageWriter.h"
#include "office/package/ZipWriter.h"
#include "powerpoint/PowerPoint.h"

namespace {

using namespace PowerPoint;
namespace fs = std::filesystem;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::u16string lineText(int i)
{
    return u"Line " + com::utf8ToUtf16(std::to_string(i)) +
           u" of the generated listing, with enough words to look like a report";
}

void appendLine(const ComPtr<TextRange>& range, const std::u16string& text, int fontStart)
{
    range->InsertAfter(text);
    auto font = range->Characters(fontStart, range->GetLength())->GetFont();
    font->PutBold(msoFalse);
    font->PutItalic(msoFalse);
    font->PutUnderline(msoFalse);
    font->PutSize(14);
    font->PutName(u"Arial");
    range->GetParagraphFormat()->GetBullet()->PutVisible(msoTrue);
    range->InsertAfter(u"\r");
}

void AppendLines(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto app = ppt::makeApplication();
        auto slide = app->GetPresentations()->Add(msoTrue)->GetSlides()->Add(1, ppLayoutBlank);
        auto shape = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 55, 600, 420);
        shape->GetTextFrame()->PutAutoSize(ppAutoSizeNone);
        shape->GetTextFrame()->PutWordWrap(msoTrue);
        auto range = shape->GetTextFrame()->GetTextRange();
        float height = 0;
        for (int i = 0; i < lines; ++i) {
            appendLine(range, lineText(i), 1);
            height = range->GetBoundHeight();
        }
        benchmark::DoNotOptimize(height);
        app->Quit();
    }
    state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(AppendLines)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A deck as the generator builds it.
ComPtr<_Presentation> buildDeck(const ComPtr<_Application>& app, int slideCount)
{
    auto presentation = app->GetPresentations()->Add(msoTrue);
    auto slides = presentation->GetSlides();
    for (int s = 1; s <= slideCount; ++s) {
        auto slide = slides->Add(s, ppLayoutBlank);
        auto notes = slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange();
        auto header = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 10, 101, 36);
        auto body = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 55, 600, 420);
        body->GetTextFrame()->PutAutoSize(ppAutoSizeNone);
        body->GetTextFrame()->PutWordWrap(msoTrue);
        auto range = body->GetTextFrame()->GetTextRange();
        for (int i = 0; i < 20; ++i) appendLine(range, lineText(i), 1);
        range->InsertAfter(u"link")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(
            u"http://www.example.com/");
        header->GetTextFrame()->GetTextRange()->InsertAfter(u"Page " + com::utf8ToUtf16(std::to_string(s)));
        notes->InsertAfter(u"Notes of this slide");
        auto hf = slide->GetHeadersFooters();
        hf->GetFooter()->PutVisible(msoTrue);
        hf->GetFooter()->PutText(u"Company confidential");
        hf->GetSlideNumber()->PutVisible(msoTrue);
    }
    return presentation;
}

// The XML bytes of every slide and notes part, deflated with zlib alone.
class DeflateOnly final : public office::PartSink {
public:
    DeflateOnly()
    {
        deflateInit2(&stream_, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        out_.resize(1 << 17);
    }
    ~DeflateOnly() { deflateEnd(&stream_); }
    void beginEntry(const std::string&) override { text_.clear(); }
    void write(const char* data, std::size_t size) override { text_.append(data, size); }
    void endEntry() override
    {
        total_ += text_.size();
        seconds_ += deflatePart();
    }
    double seconds() const { return seconds_; }
    std::size_t bytes() const { return total_; }

private:
    double deflatePart()
    {
        const auto start = std::chrono::steady_clock::now();
        deflateReset(&stream_);
        stream_.next_in = reinterpret_cast<Bytef*>(text_.data());
        stream_.avail_in = static_cast<uInt>(text_.size());
        int status = Z_OK;
        do {
            stream_.next_out = reinterpret_cast<Bytef*>(out_.data());
            stream_.avail_out = static_cast<uInt>(out_.size());
            status = deflate(&stream_, Z_FINISH);
        } while (status == Z_OK);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    z_stream stream_{};
    double seconds_ = 0;
    std::size_t total_ = 0;
    std::string text_;
    std::string out_;
};

void SaveSlides(benchmark::State& state)
{
    const int slideCount = static_cast<int>(state.range(0));
    auto app = ppt::makeApplication();
    auto presentation = buildDeck(app, slideCount);
    const fs::path file = fs::temp_directory_path() / ("orvel-bench-" + std::to_string(::getpid()) + ".pptx");
    for (auto _ : state) presentation->SaveAs(com::utf8ToUtf16(file.string()), ppSaveAsPresentation, msoTrue);

    // The same XML once more, each part deflated on its own by zlib alone.
    DeflateOnly deflater;
    ppt::writePackageParts(*ppt::presentationModel(presentation), ppt::SaveOptions{}, deflater);
    state.counters["xml_MB"] = static_cast<double>(deflater.bytes()) / 1e6;
    state.counters["deflate_s"] = deflater.seconds();
    state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    fs::remove(file);
    app->Quit();
}
BENCHMARK(SaveSlides)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
