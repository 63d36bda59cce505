// Widths and line heights of text as a word processor lays it out: fonts
// found with fontconfig (Arial, Times New Roman and Courier New resolve to
// their metric-compatible Liberation fonts), text shaped with HarfBuzz.
// Without a usable font it falls back to typical proportions.
#pragma once

#include <memory>
#include <string_view>

#include "DocumentContent.h"

namespace word {

class TextMeasure {
public:
    TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    ~TextMeasure();

    // Advance width in points of a piece of text on one line.
    double width(const RunFormat& format, std::string_view utf8);
    // Height in points of one single-spaced line (ascent + descent).
    double lineHeight(const RunFormat& format);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace word
