// Where the content calls of the generator go.
#pragma once

#include <cstdint>

enum class CaptureMode : std::int32_t {
    Header = 0,  // recorded by the header composer
    Body = 1,    // the slide body (or the open table)
    Footer = 2,  // recorded by the footer composer
    Notes = 3,   // the notes of the current slide
};
