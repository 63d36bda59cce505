// Every test program runs with a home folder of its own, removed when it
// ends: what a test saves without a name (PresentationN in the documents
// folder), and the default registry, never land in the user's home.
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

class PrivateHome {
public:
    PrivateHome()
    {
        char pattern[] = "/tmp/orvel-test-home-XXXXXX";
        if (!::mkdtemp(pattern)) return;  // the tests that need it will say so
        path_ = pattern;
        ::setenv("HOME", pattern, 1);
        ::setenv("XDG_DATA_HOME", (path_ / ".local/share").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (path_ / ".config").c_str(), 1);
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;
    ~PrivateHome()
    {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }

private:
    std::filesystem::path path_;
};

const PrivateHome privateHome;

}  // namespace
