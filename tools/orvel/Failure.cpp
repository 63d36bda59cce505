#include "Failure.h"

#include "com/ComError.h"
#include "support/KestException.h"

namespace orvel_cli {
namespace {

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace

std::string describe(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const KestException& e) {
        return trimmed(e.reasonText().str());
    } catch (const ComError& e) {
        return trimmed(e.what());
    } catch (const std::exception& e) {
        return trimmed(e.what());
    } catch (...) {
        return "unknown exception";
    }
}

std::string describe(HRESULT hr)
{
    return trimmed(ComError(hr).what());
}

}  // namespace orvel_cli
