// orvel show: shows the last generated presentation in PowerPoint.
#include <cstdio>

#include "CommandArgs.h"
#include "Failure.h"
#include "OrvelObject.h"

namespace orvel_cli {

int showCommand(Args args)
{
    const char* usage =
        "usage: orvel show\n\n"
        "Calls showLast on a new Orvel object: PowerPoint is started (or the running\n"
        "one attached) and made visible, showing the presentations it has open with\n"
        "the desktop's viewer. A new object has generated nothing yet, so opening its\n"
        "last presentation fails and is reported. To show a deck right after making\n"
        "it, end its script with\n"
        "  orvel->close();\n"
        "  orvel->showLast();\n"
        "close saves the deck and showLast opens the saved file; leave out stop, which\n"
        "would quit PowerPoint again. showLast before close shows the deck unsaved,\n"
        "and it is never saved.\n";
    if (auto done = readArguments(args, "show", usage)) return *done;
    std::string error;
    ComPtr<IDocument> document = createOrvel(&error);
    if (!document) {
        std::fprintf(stderr, "orvel show: %s\n", error.c_str());
        return 1;
    }
    try {
        HRESULT hr = document->showLast();
        if (FAILED(hr)) {
            std::fprintf(stderr, "orvel show: %s\n", describe(hr).c_str());
            return 1;
        }
    } catch (...) {
        std::fprintf(stderr, "orvel show: %s\n", describe(std::current_exception()).c_str());
        return 1;
    }
    return 0;
}

}  // namespace orvel_cli
