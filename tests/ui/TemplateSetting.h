// The template name the page and `orvel settings` store in the registry.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "registry/RegisterDynamic.h"

namespace uitest {

inline std::string storedTemplate()
{
    return RegisterDynamic().read("PowerPoint", "PptTemplateName", RegEntry(KestString("")), false).value.str();
}

inline void storeTemplate(const std::string& value)
{
    ASSERT_TRUE(RegisterDynamic().write("PowerPoint", "PptTemplateName", RegEntry(KestString(value)), false));
}

}  // namespace uitest
