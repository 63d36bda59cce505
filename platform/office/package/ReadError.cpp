#include "office/package/ReadError.h"

namespace office {

ReadError::ReadError(ReadErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

std::uint32_t ReadError::hresult() const noexcept
{
    switch (kind_) {
    case ReadErrorKind::FileNotFound: return 0x80070002u;
    case ReadErrorKind::FileUnreadable: return 0x80070005u;
    case ReadErrorKind::InvalidArgument: return 0x80070057u;
    default: return 0x80004005u;
    }
}

std::string quoteName(const std::string& name)
{
    return "'" + name + "'";
}

}  // namespace office
