// orvel: drives the presentation back-end from the command line.
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <span>
#include <string_view>

#include "Commands.h"
#include "HugePages.h"

namespace {

struct Command {
    const char* name;
    int (*run)(orvel_cli::Args);
    const char* summary;
};

constexpr Command commands[] = {
    {"run", orvel_cli::runCommand, "run scripts of IDocument calls and write the presentation"},
    {"register", orvel_cli::registerCommand, "register the COM modules installed beside this program"},
    {"unregister", orvel_cli::unregisterCommand, "remove the registration of those modules"},
    {"show", orvel_cli::showCommand, "show the last generated presentation"},
    {"settings", orvel_cli::settingsCommand, "edit the template setting (property page)"},
    {"reg", orvel_cli::regCommand, "look into and change the registry"},
};

void printUsage(std::FILE* out)
{
    std::fprintf(out, "usage: orvel COMMAND [ARGS...]\n       orvel --version | --help\n\ncommands:\n");
    for (const Command& c : commands) std::fprintf(out, "  %-11s %s\n", c.name, c.summary);
    std::fprintf(out, "\n'orvel COMMAND --help' describes a command.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    std::string_view first = argv[1];
    if (first == "--version" || first == "-V") {
        std::printf("orvel 2.0.0\n");
        return 0;
    }
    if (first == "--help" || first == "-h" || first == "help") {
        printUsage(stdout);
        return 0;
    }
    if (first == "run") orvel_cli::restartWithHugePages(argv);
    for (const Command& c : commands) {
        if (first != c.name) continue;
        // Whatever a command lets escape ends the program with a message, not an abort.
        try {
            return c.run(std::span<char* const>(argv + 2, static_cast<std::size_t>(argc - 2)));
        } catch (const std::bad_alloc&) {
            std::fprintf(stderr, "orvel %s: out of memory\n", c.name);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "orvel %s: %s\n", c.name, e.what());
        } catch (...) {
            std::fprintf(stderr, "orvel %s: unexpected failure\n", c.name);
        }
        return 1;
    }
    std::fprintf(stderr, "orvel: unknown command '%s' (see 'orvel --help')\n", argv[1]);
    return 2;
}
