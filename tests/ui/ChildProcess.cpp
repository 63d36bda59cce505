#include "ChildProcess.h"

#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <thread>

namespace uitest {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile)
{
    std::unique_ptr<GSubprocessLauncher, Unref> launcher(
        g_subprocess_launcher_new(outputFile.empty() ? G_SUBPROCESS_FLAGS_NONE : G_SUBPROCESS_FLAGS_STDERR_MERGE));
    if (!outputFile.empty()) g_subprocess_launcher_set_stdout_file_path(launcher.get(), outputFile.c_str());
    std::vector<const gchar*> args;
    for (const std::string& a : argv) args.push_back(a.c_str());
    args.push_back(nullptr);
    process_.reset(g_subprocess_launcher_spawnv(launcher.get(), args.data(), nullptr));
}

ChildProcess::~ChildProcess()
{
    if (!running()) return;
    g_subprocess_send_signal(process_.get(), SIGTERM);
    if (!waitExit(std::chrono::seconds(1))) {
        g_subprocess_force_exit(process_.get());
        g_subprocess_wait(process_.get(), nullptr, nullptr);
    }
}

// GLib reaps the child on its worker thread; it has no identifier after that.
std::optional<int> ChildProcess::waitExit(std::chrono::milliseconds timeout)
{
    if (!process_) return std::nullopt;
    for (auto deadline = std::chrono::steady_clock::now() + timeout; g_subprocess_get_identifier(process_.get());) {
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return g_subprocess_get_if_exited(process_.get()) ? g_subprocess_get_exit_status(process_.get())
                                                      : 128 + g_subprocess_get_term_sig(process_.get());
}

// Xvfb writes the display number to descriptor 3 (the file) once it accepts connections.
VirtualDisplay::VirtualDisplay()
    : numberFile_(std::filesystem::temp_directory_path() / ("orvel-display-" + std::to_string(getpid()))),
      xvfb_({"sh", "-c", "exec Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>\"$0\" 2>/dev/null",
             numberFile_.string()})
{
    for (int i = 0; i < 500 && xvfb_.running() && name_.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(numberFile_);
        std::string number;
        if (std::getline(in, number) && in.good()) name_ = ":" + number;
    }
    std::filesystem::remove(numberFile_);
}

}  // namespace uitest
