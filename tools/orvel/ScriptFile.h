// A script named on the command line, open for reading. `orvel run` reads
// every script twice (checked first, then run statement by statement), so
// what cannot be read twice -- standard input, a pipe -- is first copied to
// an unnamed temporary file, which disappears with the process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Script.h"

namespace orvel_script {

class ScriptFile : public ScriptSource {
public:
    // Opens `name` ("-" is standard input); nullptr with `error` set (the
    // reason, e.g. "it is a folder") when it cannot be read.
    static std::unique_ptr<ScriptFile> open(const std::string& name, std::string& error);

    ScriptFile(int fd, bool owned, std::uint64_t start);
    ~ScriptFile() override;
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;

    std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) const override;

private:
    int fd_;
    bool owned_;           // closed with this object (standard input is not)
    std::uint64_t start_;  // where the script starts: after a byte order mark
};

}  // namespace orvel_script
