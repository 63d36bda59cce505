// Programs a test starts and stops (GLib's GSubprocess): a child process with
// its output going to a file, and a private X display (Xvfb) on a free
// display number.
#pragma once

#include <gio/gio.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uitest {

class ChildProcess {
public:
    // Starts argv[0] (searched in PATH) with this process's environment;
    // standard output and error go to outputFile when given.
    explicit ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile = {});
    ~ChildProcess();  // terminates the child if it still runs

    bool running() { return process_ && !waitExit(std::chrono::milliseconds(0)); }
    // The exit status, or nothing when the child still runs after timeout.
    std::optional<int> waitExit(std::chrono::milliseconds timeout);

private:
    struct Unref {
        void operator()(gpointer object) const { g_object_unref(object); }
    };
    std::unique_ptr<GSubprocess, Unref> process_;
};

// Xvfb on a display number it picks itself (-displayfd).
class VirtualDisplay {
public:
    VirtualDisplay();
    bool ready() const { return !name_.empty(); }
    const std::string& name() const { return name_; }  // ":N"

private:
    std::filesystem::path numberFile_;
    ChildProcess xvfb_;
    std::string name_;
};

}  // namespace uitest
