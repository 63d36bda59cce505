// Small pictures checked in under tests/data/word (made by its make_pictures.py).
#pragma once

#include <string>

#include "common/TestEnv.h"

namespace wordtest {

inline std::string picture(const std::string& name)
{
    return testenv::readFile(std::string(ORVEL_SOURCE_DIR) + "/tests/data/word/" + name);
}

// The picture with `bytes` written over it at `offset`: a damaged copy.
inline std::string patched(std::string picture, std::size_t offset, const std::string& bytes)
{
    return picture.replace(offset, bytes.size(), bytes);
}

}  // namespace wordtest
