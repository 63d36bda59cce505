#include "support/KestException.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "NoDestructor.h"
#include "registry/RegisterDynamic.h"

namespace {

// The exception log: lines of pieces, each written with a flush when ended.
class KestLog final : public KestLogBase {
public:
    KestLog()
    {
        std::string categories;
        if (const char* env = std::getenv("ORVEL_EXCEPTION_LOG")) {
            categories = env;
        } else {
            categories = RegisterDynamic().read("Log", "ExceptionLog", RegEntry(KestString()), false).value.str();
        }
        std::size_t start = 0;
        while (start <= categories.size()) {
            std::size_t end = categories.find_first_of(",; ", start);
            if (end == std::string::npos) end = categories.size();
            if (end > start) enabled_.insert(categories.substr(start, end - start));
            start = end + 1;
        }
        if (const char* file = std::getenv("ORVEL_EXCEPTION_LOG_FILE"); file && *file) {
            out_ = std::fopen(file, "ab");
            if (!out_) std::fprintf(stderr, "exception log: cannot open %s\n", file);
        }
    }
    KestLog(const KestLog&) = delete;
    KestLog& operator=(const KestLog&) = delete;
    ~KestLog() override
    {
        if (out_) std::fclose(out_);
    }

    bool isLogging(const char* category) const override
    {
        std::lock_guard lock(mutex_);
        return category && enabled_.count(category) > 0;
    }
    void enable(const char* category, bool on) override
    {
        if (!category) return;
        std::lock_guard lock(mutex_);
        if (on)
            enabled_.insert(category);
        else
            enabled_.erase(category);
    }
    KestLogBase& operator<<(const KestString& text) override
    {
        std::lock_guard lock(mutex_);
        line_.append(text.str());
        return *this;
    }
    KestLogBase& operator<<(const char* text) override
    {
        std::lock_guard lock(mutex_);
        if (text) line_.append(text);
        return *this;
    }
    KestLogBase& operator<<(std::ostream& (*manipulator)(std::ostream&)) override
    {
        using Manipulator = std::ostream& (*)(std::ostream&);
        if (manipulator != static_cast<Manipulator>(std::endl<char, std::char_traits<char>>)) return *this;
        std::lock_guard lock(mutex_);
        line_.push_back('\n');
        std::FILE* target = out_ ? out_ : stderr;
        std::fwrite(line_.data(), 1, line_.size(), target);
        std::fflush(target);
        line_.clear();
        return *this;
    }

private:
    mutable std::mutex mutex_;
    std::set<std::string, std::less<>> enabled_;
    std::string line_;
    std::FILE* out_ = nullptr;
};

}  // namespace

KestException::KestException(const KestString& reason) : reason_(reason) {}

KestException::~KestException() = default;

KestLogBase* KestException::getLog()
{
    // Outlives every static object: their destructors may still log.
    static platform_detail::NoDestructor<KestLog> log;
    return &log.get();
}
