// A tiny COM class for exercising the runtime: counts calls per object.
#pragma once

#include "com/ComTypes.h"

struct ITestCounter : IUnknown {
    static constexpr IID iid = makeGuid("{6A1C9E20-5B7D-4F0B-9C1E-2D3F4A5B6C7D}");
    virtual HRESULT Increment(LONG* value) = 0;

protected:
    ~ITestCounter() = default;
};

// Registered with lower-case hexadecimal, as registration scripts write it.
constexpr const char* testCounterClsidText = "{6a1c9e21-5b7d-4f0b-9c1e-2d3f4a5b6c7d}";
constexpr CLSID testCounterClsid = makeGuid("{6A1C9E21-5B7D-4F0B-9C1E-2D3F4A5B6C7D}");
