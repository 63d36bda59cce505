// Where written bytes go: a file, a zip entry, a string.
#pragma once

#include <cstddef>
#include <string>

namespace office {

class ByteSink {
public:
    virtual void write(const char* data, std::size_t size) = 0;

protected:
    ~ByteSink() = default;
};

class StringSink final : public ByteSink {
public:
    void write(const char* data, std::size_t size) override { bytes.append(data, size); }
    std::string bytes;
};

}  // namespace office
