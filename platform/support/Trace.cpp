#include "support/Trace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "support/SysFile.h"

struct Trace::Impl {
    struct FileCloser {
        void operator()(std::FILE* f) const
        {
            if (f && f != stderr) std::fclose(f);
        }
    };
    std::unique_ptr<std::FILE, FileCloser> file;
    std::string fileName;  // as given to open
    bool open = false;
    int level = 0;
    std::string line;  // pieces of the line being written
    std::set<std::string> reportedFailures;

    void writeLine()
    {
        if (open && file) {
            line.push_back('\n');
            std::fwrite(line.data(), 1, line.size(), file.get());
            // Flushed per line so that a crash loses nothing already traced.
            std::fflush(file.get());
        }
        line.clear();
    }
};

Trace::Trace() : impl_(std::make_unique<Impl>()) {}

Trace::~Trace()
{
    close();
}

bool Trace::isTrace(int level) const
{
    return impl_->open && level <= impl_->level;
}

void Trace::setLevel(int level)
{
    impl_->level = level;
}

int Trace::level() const
{
    return impl_->level;
}

void Trace::open(const KestString& file)
{
    if (impl_->open && impl_->fileName == file.str()) return;
    close();
    if (file.isEmpty()) {
        impl_->file.reset(stderr);
        impl_->fileName.clear();
        impl_->open = true;
        return;
    }
    std::string path = SysFile::nativePath(file).str();
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) {
        if (impl_->reportedFailures.insert(file.str()).second)
            std::fprintf(stderr, "trace: cannot open log file %s: %s\n", path.c_str(), std::strerror(errno));
        return;
    }
    impl_->file.reset(f);
    impl_->fileName = file.str();
    impl_->open = true;
}

void Trace::close()
{
    if (!impl_->line.empty()) impl_->writeLine();
    impl_->file.reset();
    impl_->fileName.clear();
    impl_->open = false;
}

bool Trace::isOpen() const
{
    return impl_->open;
}

void Trace::purgeBefore(const KestString&)
{
    // The log is only ever appended to, never rotated: there are no copies of
    // it to remove, and files beside it with numbered names are the user's.
}

Trace& Trace::operator<<(const KestString& text)
{
    if (impl_->open) impl_->line.append(text.str());
    return *this;
}

Trace& Trace::operator<<(const char* text)
{
    if (impl_->open && text) impl_->line.append(text);
    return *this;
}

Trace& Trace::operator<<(short number)
{
    if (impl_->open) impl_->line.append(std::to_string(number));
    return *this;
}

Trace& Trace::operator<<(int number)
{
    if (impl_->open) impl_->line.append(std::to_string(number));
    return *this;
}

Trace& Trace::operator<<(std::ostream& (*manipulator)(std::ostream&))
{
    // std::endl and std::flush end the line; other manipulators have no text.
    using Manipulator = std::ostream& (*)(std::ostream&);
    if (manipulator == static_cast<Manipulator>(std::endl<char, std::char_traits<char>>))
        impl_->writeLine();
    else if (manipulator == static_cast<Manipulator>(std::flush<char, std::char_traits<char>>) && impl_->file)
        std::fflush(impl_->file.get());
    return *this;
}
