// orvel run [OPTIONS] SCRIPT... | -: drives one Orvel object with scripts of
// IDocument calls written as the trace log echoes them.
#include <cstdio>
#include <new>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "Failure.h"
#include "NestedEcho.h"
#include "OrvelObject.h"
#include "ProgressBar.h"
#include "Script.h"
#include "ScriptFile.h"
#include "ScriptCall.h"
#include "com/ComString.h"
#include "com/ErrorInfo.h"

namespace orvel_cli {
namespace {

constexpr const char* usage =
    "usage: orvel run [--set GROUP/NAME=VALUE]... [--trace LOG] [--keep-going] SCRIPT... | -\n"
    "\n"
    "Creates one Orvel object (ProgID Orvel.Orvel) and makes the calls of the scripts\n"
    "on it, in order. A script is written as the trace log echoes calls, one\n"
    "statement per line, texts in double quotes without escapes (a text may span\n"
    "lines), numbers in decimal; blank lines and lines starting with # are ignored:\n"
    "\n"
    "  orvel->start();\n"
    "  orvel->create(\"report.pptx\");\n"
    "  orvel->setFontAttribute(Bold,TRUE);\n"
    "  orvel->insertText(\"Hello\");\n"
    "  orvel->insertEndl();\n"
    "  orvel->close();\n"
    "  orvel->stop();\n"
    "\n"
    "A trace log (trace level 10) is such a script; the lines it holds for the pieces\n"
    "a text with link markup is cut into are not run again. getDocType() and\n"
    "getPropPages() print their result. '-' reads the script from standard input.\n"
    "\n"
    "options:\n"
    "  --set GROUP/NAME=VALUE  override a setting for this run (overrideRegistry),\n"
    "                          e.g. --set PowerPoint/ClosePauseMs=0; GROUP and NAME\n"
    "                          ignore letter case. Settings/InstallDir cannot be\n"
    "                          overridden: the object reads it when it is made,\n"
    "                          before any override; set it in the registry\n"
    "                          (orvel register writes it when it is absent)\n"
    "  --trace LOG             echo every call into the trace log LOG (trace level 10)\n"
    "  --keep-going            report a call that fails and go on with the next\n"
    "                          (without it, the presentation being written when a\n"
    "                          call fails is saved beside its file as\n"
    "                          NAME-incomplete.EXT; the file itself is left as it was)\n"
    "\n"
    "Every script is read and checked before the first call is made.\n"
    "Exit status: 0 success; 1 a call failed (SCRIPT:LINE: reason on standard\n"
    "error); 2 a script cannot be read or parsed (SCRIPT:LINE: parse error: ...).\n";

struct Options {
    std::vector<std::string> scripts;
    std::vector<std::string> settings;  // "GROUP/NAME=VALUE"
    std::string traceLog;
    bool keepGoing = false;
};

// A script read and checked; its statements are read again one by one as
// they run, so that a long script is never held in memory.
struct LoadedScript {
    std::string name;
    std::unique_ptr<orvel_script::ScriptFile> file;
    std::size_t statements = 0;
};

struct Setting {
    std::string group, name, value;
};

bool splitSetting(const std::string& text, Setting& setting)
{
    std::size_t slash = text.find('/');
    if (slash == std::string::npos || slash == 0) return false;
    std::size_t equals = text.find('=', slash + 1);
    if (equals == std::string::npos || equals == slash + 1) return false;
    setting = {text.substr(0, slash), text.substr(slash + 1, equals - slash - 1), text.substr(equals + 1)};
    return true;
}

// 2 on a usage error, -1 when the options are fine, 0 after --help.
int parseOptions(Args args, Options& options)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        if (optionsEnded || a == "-" || !a.starts_with("-")) {
            options.scripts.emplace_back(a);
            continue;
        }
        auto value = [&](const char* option) -> const char* {
            if (i + 1 < args.size()) return args[++i];
            std::fprintf(stderr, "orvel run: %s needs a value\n", option);
            return nullptr;
        };
        if (a == "--help" || a == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--keep-going" || a == "-k") {
            options.keepGoing = true;
        } else if (a == "--set" || a.starts_with("--set=")) {
            const char* v = a == "--set" ? value("--set") : args[i] + 6;
            if (!v) return 2;
            Setting s;
            if (!splitSetting(v, s)) {
                std::fprintf(stderr, "orvel run: --set wants GROUP/NAME=VALUE, not '%s'\n", v);
                return 2;
            }
            options.settings.emplace_back(v);
        } else if (a == "--trace" || a.starts_with("--trace=")) {
            const char* v = a == "--trace" ? value("--trace") : args[i] + 8;
            if (!v) return 2;
            options.traceLog = v;
        } else {
            std::fprintf(stderr, "orvel run: unknown option '%s' (see 'orvel run --help')\n", args[i]);
            return 2;
        }
    }
    if (options.scripts.empty()) {
        std::fprintf(stderr, "orvel run: no script given (see 'orvel run --help')\n");
        return 2;
    }
    return -1;
}

// Reads and parses every script; false (with the errors written) when one fails.
bool loadScripts(const Options& options, std::vector<LoadedScript>& loaded)
{
    bool ok = true;
    orvel_script::NestedEcho nested;
    for (const std::string& file : options.scripts) {
        std::string name = file == "-" ? "<stdin>" : file;
        std::string reason;
        std::vector<orvel_script::ParseError> errors;
        std::size_t count = 0;
        auto script = orvel_script::ScriptFile::open(file, reason);
        try {
            if (script)
                errors = orvel_script::parseEach(*script, [&](orvel_script::Statement& statement) {
                    if (!nested.isNested(statement)) ++count;
                    return true;
                });
        } catch (const orvel_script::ScriptReadError& e) {
            reason = e.what();
            script = nullptr;
        }
        if (!script) {
            std::fprintf(stderr, "%s: cannot read the script: %s\n", name.c_str(), reason.c_str());
            ok = false;
            continue;
        }
        for (const auto& e : errors)
            std::fprintf(stderr, "%s:%d: parse error: %s\n", name.c_str(), e.line, e.message.c_str());
        ok = ok && errors.empty();
        loaded.push_back({name, std::move(script), count});
    }
    return ok;
}

// Overrides and the trace log asked for on the command line, before the scripts.
bool prepare(IDocument& document, const Options& options)
{
    try {
        for (const std::string& text : options.settings) {
            Setting s;
            splitSetting(text, s);
            com::BStr group(s.group), name(s.name), value(s.value);
            HRESULT hr = document.overrideRegistry(group.get(), name.get(), value.get(), 1);
            if (FAILED(hr)) throw ComError(hr);
        }
        if (!options.traceLog.empty()) {
            com::BStr group("Log"), name("LogName"), value(options.traceLog);
            HRESULT hr = document.overrideRegistry(group.get(), name.get(), value.get(), 1);
            if (SUCCEEDED(hr)) hr = document.trace(10);
            if (FAILED(hr)) throw ComError(hr);
        }
    } catch (...) {
        std::fprintf(stderr, "orvel run: %s\n", describe(std::current_exception()).c_str());
        return false;
    }
    return true;
}

// The failing object's own words for the reason, on the line after its
// message, unless the message says it already.
void printErrorInfo(const std::string& message)
{
    const std::string detail = com::takeErrorInfo();
    if (!detail.empty() && message.find(detail) == std::string::npos) std::fprintf(stderr, "%s\n", detail.c_str());
}

// After a call that stopped the run: the document keeps the file given to
// create as it was, and what had been written goes beside it (close says where).
void keepIncompleteAside(IDocument& document)
{
    try {
        com::BStr option("incomplete"), value("");
        HRESULT hr = document.setOption(option.get(), value.get());
        if (SUCCEEDED(hr)) hr = document.close();
        if (FAILED(hr)) std::fprintf(stderr, "orvel run: %s\n", describe(hr).c_str());
    } catch (...) {
        const std::string failure = describe(std::current_exception());
        std::fprintf(stderr, "orvel run: %s\n", failure.c_str());
        printErrorInfo(failure);
    }
}

// Makes every call; false when one failed.
bool runScripts(IDocument& document, const std::vector<LoadedScript>& scripts, bool keepGoing)
{
    std::size_t total = 0;
    for (const auto& s : scripts) total += s.statements;
    ProgressBar progress(stderr, total);
    std::size_t done = 0;
    bool ok = true;
    std::vector<std::string> results;
    orvel_script::NestedEcho nested;
    for (const LoadedScript& script : scripts) {
        bool goOn = true;
        // The script may fail to be read on (a statement larger than the memory
        // left): as a failed call, so that the deck given to create stays.
        const auto unreadable = [&](const std::string& why) {
            progress.clear();
            std::fprintf(stderr, "%s: %s\n", script.name.c_str(), why.c_str());
            ok = false;
            goOn = false;
        };
        try {
            orvel_script::parseEach(*script.file, [&](const orvel_script::Statement& statement) {
                if (nested.isNested(statement)) return true;
                std::string failure;
                results.clear();
                com::takeErrorInfo();  // only what this call reports
                try {
                    HRESULT hr = orvel_script::call(document, statement, &results);
                    if (FAILED(hr)) failure = describe(hr);
                } catch (...) {
                    failure = describe(std::current_exception());
                }
                if (!results.empty()) {
                    progress.clear();
                    for (const std::string& r : results) std::printf("%s\n", r.c_str());
                    std::fflush(stdout);
                }
                if (!failure.empty()) {
                    progress.clear();
                    std::fprintf(stderr, "%s:%d: %s\n", script.name.c_str(), statement.line, failure.c_str());
                    printErrorInfo(failure);
                    ok = false;
                    goOn = keepGoing;
                }
                progress.update(++done);
                return goOn;
            });
        } catch (const std::bad_alloc&) {
            unreadable("out of memory");
        } catch (...) {
            unreadable(describe(std::current_exception()));
        }
        if (!goOn) {
            progress.clear();
            keepIncompleteAside(document);
            break;
        }
    }
    return ok;
}

}  // namespace

int runCommand(Args args)
{
    Options options;
    if (int status = parseOptions(args, options); status >= 0) return status;

    std::vector<LoadedScript> scripts;
    if (!loadScripts(options, scripts)) return 2;

    std::string error;
    ComPtr<IDocument> document = createOrvel(&error);
    if (!document) {
        std::fprintf(stderr, "orvel run: %s\n", error.c_str());
        return 1;
    }
    if (!prepare(*document.get(), options)) return 1;
    bool ok = runScripts(*document.get(), scripts, options.keepGoing);
    // Releasing the object closes and saves what is still open (unless
    // PowerPoint was made visible) and quits PowerPoint.
    try {
        document = nullptr;
    } catch (...) {
        const std::string failure = describe(std::current_exception());
        std::fprintf(stderr, "orvel run: %s\n", failure.c_str());
        printErrorInfo(failure);
        ok = false;
    }
    return ok ? 0 : 1;
}

}  // namespace orvel_cli
