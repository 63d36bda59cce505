#include "media/MediaError.h"

namespace pptmedia {

MediaError::MediaError(MediaErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

std::uint32_t MediaError::hresult() const noexcept
{
    switch (kind_) {
    case MediaErrorKind::FileNotFound: return 0x80070002u;
    case MediaErrorKind::FileUnreadable: return 0x80070005u;
    case MediaErrorKind::InvalidArgument: return 0x80070057u;
    default: return 0x80004005u;
    }
}

std::string quoteName(const std::string& name)
{
    return "'" + name + "'";
}

}  // namespace pptmedia
