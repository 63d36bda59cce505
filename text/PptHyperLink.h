// A hyperlink whose text is already in a frame and which is attached to that
// text when the slide is closed.
#pragma once

#include <cstdint>

#include "support/KestObject.h"
#include "support/KestString.h"

class PptHyperLink : public KestObject {
public:
    PptHyperLink(const KestString& address, const KestString& subAddress, std::int32_t first, std::int32_t last);
    PptHyperLink(const PptHyperLink&) = default;
    PptHyperLink& operator=(const PptHyperLink&) = default;
    ~PptHyperLink() override;

    KestString getAddress() const { return address_; }
    KestString getSubAddress() const { return subAddress_; }
    std::int32_t getFirst() const { return first_; }
    std::int32_t getLast() const { return last_; }
    void setFirst(std::int32_t first) { first_ = first; }
    void setLast(std::int32_t last) { last_ = last; }

private:
    KestString address_;     // URL, mail address or file; empty = none
    KestString subAddress_;  // "slideId,slideIndex,title"; empty = none
    std::int32_t first_;     // frame positions of the link text, 1-based
    std::int32_t last_;
};
