// Test environment helpers: a private temporary folder per test and a
// private registry database ($ORVEL_REGISTRY) for the scope of a test.
#pragma once

#include <filesystem>
#include <string>

namespace testenv {

// A fresh folder under the system temp dir, removed with everything in it.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Sets an environment variable for its lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv();

private:
    std::string name_, previous_;
    bool hadPrevious_;
};

// Points $ORVEL_REGISTRY at a new database file for its lifetime.
class ScopedRegistry {
public:
    std::string path() const { return (dir_.path() / "registry.db").string(); }

private:
    TempDir dir_;
    ScopedEnv variable_{"ORVEL_REGISTRY", path()};
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// Compares `actual` with the checked-in file `expected` (a test failure when
// they differ); with ORVEL_UPDATE_GOLDEN=1 writes the file instead.
void expectRecorded(const std::string& actual, const std::filesystem::path& expected);

}  // namespace testenv
