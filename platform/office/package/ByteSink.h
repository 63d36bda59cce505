// Where written bytes go: a file, a zip entry, a string.
#pragma once

#include <cstddef>
#include <string>

namespace office {

class ByteSink {
public:
    virtual void write(const char* data, std::size_t size) = 0;
    // A sink that collects into a string lets writers append to it directly
    // (no buffer of their own to allocate and copy from); null otherwise.
    virtual std::string* appendBuffer() { return nullptr; }
    // Told now and then by a writer appending to appendBuffer(): the sink may
    // take what the string holds (and empty it).
    virtual void appended() {}

protected:
    ~ByteSink() = default;
};

class StringSink final : public ByteSink {
public:
    void write(const char* data, std::size_t size) override { bytes.append(data, size); }
    std::string* appendBuffer() override { return &bytes; }
    std::string bytes;
};

}  // namespace office
