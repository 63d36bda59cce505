#include "support/SysTime.h"

#include <ctime>

namespace {

std::tm localNow()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

KestString SysTime::currentDate()
{
    std::tm now = localNow();
    char text[32];
    std::size_t length = std::strftime(text, sizeof text, "%m/%d/%Y", &now);
    return KestString(std::string_view(text, length));
}

KestString SysTime::currentTime()
{
    std::tm now = localNow();
    char text[32];
    std::size_t length = std::strftime(text, sizeof text, "%H:%M:%S", &now);
    return KestString(std::string_view(text, length));
}
