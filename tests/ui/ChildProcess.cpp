#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

extern char** environ;

namespace uitest {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outputFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess()
{
    if (pid_ <= 0 || status_) return;
    kill(pid_, SIGTERM);
    if (!waitExit(std::chrono::seconds(1))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::running() { return pid_ > 0 && !waitExit(std::chrono::milliseconds(0)); }

std::optional<int> ChildProcess::waitExit(std::chrono::milliseconds timeout)
{
    if (status_ || pid_ <= 0) return status_;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int raw = 0;
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return status_;
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
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
