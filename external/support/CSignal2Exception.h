// Guard object around each protected automation sequence.
#pragma once

class CSignal2Exception {
public:
    CSignal2Exception();
    CSignal2Exception(const CSignal2Exception&) = delete;
    CSignal2Exception& operator=(const CSignal2Exception&) = delete;
    ~CSignal2Exception();

    // Sequences currently guarded on this thread (diagnostics and tests).
    static int depth();
};
