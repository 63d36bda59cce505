#include "text/PptHyperLink.h"

PptHyperLink::PptHyperLink(const KestString& address, const KestString& subAddress, std::int32_t first,
                           std::int32_t last)
    : address_(address), subAddress_(subAddress), first_(first), last_(last)
{
}

PptHyperLink::~PptHyperLink() = default;
