// The protected form of every sequence of PowerPoint calls, and the guarded
// hand-off of table content to the Word back-end. Internal to the generator.
#pragma once

#include <exception>

#include "com/ComError.h"
#include "generator/GeneratorState.h"
#include "generator/Orvel.h"
#include "support/CSignal2Exception.h"
#include "support/KestException.h"

// A COM error becomes the component's failure under the label; a failure
// already raised by an inner sequence passes through unchanged; anything else
// is dropped and the method goes on.
template <class Body>
void Orvel::guarded(const char* label, Body&& body)
{
    CSignal2Exception signalGuard;
    try {
        body();
    } catch (const KestException&) {
        throw;
    } catch (const ComError& error) {
        reportComError(KestString(label), error);
    } catch (...) {
    }
}

// Calls on the Word back-end: made only when it exists; their results, and
// their failures, are not looked at.
template <class Call>
void Orvel::toTable(Call&& call)
{
    if (!state_->tableDocument) return;
    try {
        call(*state_->tableDocument.get());
    } catch (const std::exception&) {
    }
}
