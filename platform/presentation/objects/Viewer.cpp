#include "objects/Viewer.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "com/ComString.h"
#include "package/PackageWriter.h"
#include "registry/Registry.h"

namespace ppt {
namespace {

constexpr const char* kSettingsKey = "Software\\Orvel\\PowerPoint";
constexpr const char* kDefaultViewer = "xdg-open";

// A copy of an unsaved presentation for the viewer to open.
std::string temporaryCopy(PresentationModel& presentation)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/orvel-view-XXXXXX";
    std::vector<char> folder(pattern.begin(), pattern.end());
    folder.push_back('\0');
    if (!mkdtemp(folder.data())) return {};
    const std::string path = (std::filesystem::path(folder.data()) / (com::utf16ToUtf8(presentation.name) + ".pptx")).string();
    writePresentationPackage(presentation, path, SaveOptions{});
    return path;
}

}  // namespace

std::string viewerProgram()
{
    try {
        auto value = registry::Registry::openDefault()->getValue(registry::Hive::CurrentUser, kSettingsKey, "Viewer");
        if (value && (value->type == registry::ValueType::String || value->type == registry::ValueType::ExpandString))
            return value->text;
    } catch (const registry::RegistryError&) {
        // An unreadable registry leaves the desktop's default.
    }
    return kDefaultViewer;
}

bool launchDetached(const std::string& program, const std::string& file)
{
    if (program.empty() || program.find('\0') != std::string::npos || file.find('\0') != std::string::npos) return false;
    // Everything the children need is made before fork: after it only
    // async-signal-safe calls are made.
    std::vector<char> programArg(program.begin(), program.end()), fileArg(file.begin(), file.end());
    programArg.push_back('\0');
    fileArg.push_back('\0');
    char* argv[] = {programArg.data(), fileArg.data(), nullptr};
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) return false;

    const pid_t child = fork();
    if (child < 0) {
        close(status[0]);
        close(status[1]);
        return false;
    }
    if (child == 0) {
        // The intermediate child: a new session, then the viewer in a
        // grandchild, so that init reaps it.
        setsid();
        const pid_t viewer = fork();
        if (viewer == 0) {
            const int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            execvp(argv[0], argv);
            const int error = errno;
            (void)!write(status[1], &error, sizeof error);
            _exit(127);
        }
        _exit(viewer < 0 ? 1 : 0);
    }
    close(status[1]);
    int waited = 0;
    while (waitpid(child, &waited, 0) < 0 && errno == EINTR) {
    }
    // The write end closes on a successful exec: no bytes means it started.
    int error = 0;
    ssize_t got;
    while ((got = read(status[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(status[0]);
    return WIFEXITED(waited) && WEXITSTATUS(waited) == 0 && got == 0;
}

void showPresentation(PresentationModel& presentation)
{
    const std::string program = viewerProgram();
    if (program.empty()) return;
    std::string file = presentation.nativePath;
    if (file.empty()) file = temporaryCopy(presentation);
    if (!file.empty()) launchDetached(program, file);
}

}  // namespace ppt
