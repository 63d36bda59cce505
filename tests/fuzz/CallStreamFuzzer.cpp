// Any bytes as a stream of IDocument calls with any arguments, made on an
// Orvel object created through the COM runtime and the registered modules of
// this build, in a private folder: nothing may crash, hang, leak or trip a
// sanitizer. File names are drawn from the folder's own files (or made of
// plain letters) so that the calls read and write nowhere else.
//
// ORVEL_FUZZ_KEEP=<folder> keeps every deck the calls saved there, for the
// package validator.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "com/ComRuntime.h"
#include "common/Modules.h"
#include "common/TestEnv.h"
#include "com/ComString.h"
#include "document/DocumentTypeLib.h"
#include "document/IDocument.h"
#include "registry/RegisterDynamic.h"
#include "ScriptCall.h"

namespace {

namespace fs = std::filesystem;
using doctypelib::ParamKind;

testenv::TempDir base;  // the registry, the home folder and the calls' folder
fs::path workDir;
fs::path keepDir;
std::set<fs::path> fixtureFiles;
unsigned keptDecks = 0;

const char dotGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
                      "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02" "D\x01\x00;";

[[noreturn]] void setupFailed(const std::string& why)
{
    std::fprintf(stderr, "fuzz set-up: %s\n", why.c_str());
    std::exit(1);
}

// The input read as a sequence of choices; past its end every choice is 0.
using Choices = FuzzedDataProvider;

std::uint8_t byte(Choices& in) { return in.ConsumeIntegral<std::uint8_t>(); }

const std::vector<std::string> fileNames = {
    "out.pptx", "Second.PPTX", "out", "name.", "sub/out.pptx", "pic.gif", "pic.jpg", "bad.gif", "notes.txt",
    "deck.ppt", "design.potx", "missing.gif", "logo.gif", "LOGO.GIF", "", "https://example.com/x", "mailto:a@b.c",
    "empty.txt", "long.txt", "out.pptx",
};

std::string fileName(Choices& in)
{
    std::uint8_t pick = byte(in);
    if (pick < 0xC0) return fileNames[pick % fileNames.size()];
    // A new name of plain letters in the folder.
    std::string name;
    for (char c : in.ConsumeBytesAsString(byte(in) % 12))
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name += c;
    static const char* extensions[] = {".pptx", ".ppt", ".gif", ".txt", ""};
    return "f" + name + extensions[byte(in) % 5];
}

const std::vector<std::string> texts = {
    "", "Hello", "two\nlines", "\r", "tab\tand \"quotes\"", "<a href=\"https://example.com/\">web</a> after",
    "<a href=\"Slide 2\">slide</a>", "<a href=\"#GUID 12\">guid</a><a href=\"x\">second</a>", "<a href=\"broken",
    "<a href=>x</a>", "Slide 3", "Slide x", "slide 3", "Normal", "List Bullet", "Heading 1", "Heading 6",
    "Arial", "Courier New", "No Such Font", "startNote", "endNote", "StartNote",
    "\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\xff\xfe invalid \xc3", std::string(3000, 'w'),
    std::string(200, '\n'),
};

std::string text(Choices& in)
{
    std::uint8_t pick = byte(in);
    if (pick < 0x80) return texts[pick % texts.size()];
    return in.ConsumeBytesAsString(byte(in));
}

std::int32_t number(Choices& in, bool wide)
{
    static const std::int32_t interesting[] = {0, 1, 2, 3, 4, 5, 8, 10, 12, 16, 20, 26, -1, 255, 400, 32767, -32768};
    std::uint8_t pick = byte(in);
    if (pick < 0xA0) return interesting[pick % std::size(interesting)];
    return wide ? in.ConsumeIntegral<std::int32_t>() : in.ConsumeIntegral<std::int16_t>();
}

// overrideRegistry only with settings that keep the calls inside the folder.
const std::array<const char*, 3>& overrideSetting(Choices& in)
{
    static const std::array<std::array<const char*, 3>, 7> settings = {{
        {"PowerPoint", "PptTemplateName", "design.potx"},
        {"PowerPoint", "PptTemplateName", "missing.potx"},
        {"PowerPoint", "PptTemplateName", ""},
        {"PowerPoint", "PptTemplateName", "bad.gif"},
        {"Log", "LogName", "other.log"},
        {"PowerPoint", "ClosePauseMs", "0"},
        {"Unknown", "Name", "value"},
    }};
    return settings[byte(in) % settings.size()];
}

// Makes one call chosen by the input, through the method table as `orvel run` does.
void makeCall(IDocument& doc, Choices& in)
{
    orvel_script::Statement statement;
    statement.method = &doctypelib::methods()[byte(in) % doctypelib::methods().size()];
    const std::string_view name = statement.method->name;
    if (name == "showLast") return;  // would start the desktop's viewer
    const std::array<const char*, 3>* setting = name == "overrideRegistry" ? &overrideSetting(in) : nullptr;
    const bool isFile = name == "create" || name == "insertImage" || name == "insertFile" || name == "startFile" ||
                        name == "pushDirectory";
    for (std::size_t i = 0; i < statement.method->params.size(); ++i) {
        orvel_script::Argument argument;
        switch (statement.method->params[i].kind) {
        case ParamKind::BstrIn:
            argument.text = setting ? (*setting)[i] : isFile && i == 0 ? fileName(in) : text(in);
            break;
        case ParamKind::ShortIn: argument.number = number(in, false); break;
        case ParamKind::LongIn: argument.number = number(in, true); break;
        case ParamKind::BoolIn: argument.number = byte(in) % 3 == 0 ? 0 : byte(in); break;
        case ParamKind::BstrOut: continue;
        }
        statement.args.push_back(argument);
    }
    if (setting && statement.args.at(3).number == 0) statement.args[3].number = 1;
    try {
        orvel_script::call(doc, statement);
    } catch (const std::exception&) {
        // KestException and ComError are how calls fail: the stream goes on.
    }
}

// Keeps (or removes) what the calls left in the folder.
void collectOutputs()
{
    std::vector<fs::path> made;
    for (const auto& entry : fs::recursive_directory_iterator(workDir))
        if (!fixtureFiles.contains(entry.path())) made.push_back(entry.path());
    for (const fs::path& p : made) {
        std::error_code ec;
        if (!fs::exists(p, ec)) continue;
        std::string ext = p.extension().string();
        bool deck = fs::is_regular_file(p, ec) && (ext == ".pptx" || ext == ".ppt" || ext == ".PPTX" || ext == "");
        if (deck && !keepDir.empty() && fs::file_size(p, ec) > 0) {
            fs::copy_file(p, keepDir / ("deck-" + std::to_string(++keptDecks) + ".pptx"),
                          fs::copy_options::overwrite_existing, ec);
        }
        fs::remove_all(p, ec);
    }
}

void makeFixtures()
{
    testenv::writeFile(workDir / "pic.gif", std::string(dotGif, sizeof dotGif - 1));
    testenv::writeFile(workDir / "pic.jpg", std::string(dotGif, sizeof dotGif - 1));  // a GIF under another name
    testenv::writeFile(workDir / "bad.gif", "not a picture at all");
    testenv::writeFile(workDir / "notes.txt", "first line\nsecond line\n\nlast line without a line end");
    testenv::writeFile(workDir / "empty.txt", "");
    std::string longLines;
    for (int i = 0; i < 60; ++i) longLines += std::string(2500, static_cast<char>('a' + i % 26)) + "\n";
    testenv::writeFile(workDir / "long.txt", longLines);
    fs::create_directories(workDir / "pix");
    testenv::writeFile(workDir / "pix" / "logo.gif", std::string(dotGif, sizeof dotGif - 1));
}

// A deck to embed and to use as a design template, written by the object itself.
void makeDecks()
{
    ComPtr<IDocument> doc = com::createInstance<IDocument>("Orvel.Orvel");
    if (!doc) setupFailed("cannot create Orvel.Orvel: " + com::lastErrorDescription());
    try {
        com::BStr group("PowerPoint"), name("ClosePauseMs"), zero("0"), file("deck.ppt"), hello("Embedded deck");
        doc->overrideRegistry(group.get(), name.get(), zero.get(), 1);
        doc->start();
        doc->create(file.get());
        doc->insertText(hello.get());
        doc->close();
        doc->stop();
    } catch (const std::exception& e) {
        setupFailed(std::string("cannot write the fixture deck: ") + e.what());
    }
    fs::copy_file(workDir / "deck.ppt", workDir / "design.potx");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    workDir = base / "work";
    fs::create_directories(workDir);
    setenv("ORVEL_REGISTRY", (base / "registry.db").c_str(), 1);
    // Untitled presentations are saved in the home folder: keep them in ours.
    setenv("HOME", base.path().c_str(), 1);
    if (const char* keep = std::getenv("ORVEL_FUZZ_KEEP")) {
        keepDir = keep;
        fs::create_directories(keepDir);
    }
    if (chdir(workDir.c_str()) != 0) setupFailed("cannot enter " + workDir.string());
    std::string error;
    for (const char* module : {"liborvelcom.so", "libpowerpoint.so", "liborvelword.so"})
        if (!testenv::registerModule(module, &error)) setupFailed(std::string("cannot register ") + module + ": " + error);
    RegisterDynamic settings;
    settings.write("Settings", "InstallDir", RegEntry("Settings", "InstallDir", KestString(workDir.c_str()), RegEntry::Text),
                   false);
    settings.write("PowerPoint", "ClosePauseMs", RegEntry("PowerPoint", "ClosePauseMs", "0", RegEntry::Text), false);
    makeFixtures();
    makeDecks();
    for (const auto& entry : fs::recursive_directory_iterator(workDir)) fixtureFiles.insert(entry.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        ComPtr<IDocument> doc = com::createInstance<IDocument>("Orvel.Orvel");
        if (!doc) std::abort();
        com::BStr log("Log"), logName("LogName"), traceFile("trace.log");
        doc->overrideRegistry(log.get(), logName.get(), traceFile.get(), 1);
        Choices in(data, size);
        for (int calls = 0; calls < 200 && in.remaining_bytes() > 0; ++calls) makeCall(*doc.get(), in);
        // Releasing the object closes, saves and quits what is still open.
    }
    collectOutputs();
    return 0;
}
