#include "common/TestEnv.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace testenv {

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("orvel-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name)
{
    const char* old = std::getenv(name);
    hadPrevious_ = old != nullptr;
    if (old) previous_ = old;
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (hadPrevious_)
        setenv(name_.c_str(), previous_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void expectRecorded(const std::string& actual, const std::filesystem::path& expected)
{
    if (const char* update = std::getenv("ORVEL_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::filesystem::create_directories(expected.parent_path());
        writeFile(expected, actual);
    }
    std::ifstream in(expected, std::ios::binary);
    ASSERT_TRUE(in) << "no " << expected << " (ORVEL_UPDATE_GOLDEN=1 writes it)";
    EXPECT_EQ(actual, std::string(std::istreambuf_iterator<char>(in), {})) << expected;
}

}  // namespace testenv
