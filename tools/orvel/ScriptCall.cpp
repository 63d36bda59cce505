#include "ScriptCall.h"

#include <array>
#include <utility>

#include "com/ComString.h"

namespace orvel_script {
namespace {

using doctypelib::ParamKind;

// One parameter of the call, converted to whatever the method's signature takes.
struct CallArgument {
    com::BStr text;
    std::int32_t number = 0;
    BSTR* out = nullptr;

    explicit operator BSTR() const { return text.get(); }
    explicit operator SHORT() const { return static_cast<SHORT>(number); }
    explicit operator LONG() const { return number; }
    explicit operator BSTR*() const { return out; }
};

template <class... A, std::size_t... I>
HRESULT callWith(IDocument& target, HRESULT (IDocument::*method)(A...), const CallArgument* args,
                 std::index_sequence<I...>)
{
    return (target.*method)(static_cast<A>(args[I])...);
}

template <class... A>
HRESULT callMethod(IDocument& target, HRESULT (IDocument::*method)(A...), const CallArgument* args)
{
    return callWith(target, method, args, std::index_sequence_for<A...>{});
}

}  // namespace

HRESULT call(IDocument& document, const Statement& statement, std::vector<std::string>* results)
{
    const doctypelib::MethodInfo& method = *statement.method;
    std::array<CallArgument, 4> args;
    std::array<com::BStr, 4> outs;
    std::size_t input = 0;
    for (std::size_t i = 0; i < method.params.size(); ++i) {
        if (method.params[i].kind == ParamKind::BstrOut) {
            args[i].out = outs[i].put();
            continue;
        }
        const Argument& given = statement.args.at(input++);
        if (method.params[i].kind == ParamKind::BstrIn)
            args[i].text = com::BStr(std::string_view(given.text));
        else
            args[i].number = given.number;
    }

    HRESULT hr = E_INVALIDARG;
    switch (method.dispid) {
#define ORVEL_CALL_METHOD(id, name, params, info) \
    case id: hr = callMethod(document, &IDocument::name, args.data()); break;
        ORVEL_IDOCUMENT_METHODS(ORVEL_CALL_METHOD)
#undef ORVEL_CALL_METHOD
    default: break;
    }
    if (results && SUCCEEDED(hr))
        for (std::size_t i = 0; i < method.params.size(); ++i)
            if (method.params[i].kind == ParamKind::BstrOut) results->push_back(outs[i].utf8());
    return hr;
}

}  // namespace orvel_script
