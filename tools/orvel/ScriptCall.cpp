#include "ScriptCall.h"

namespace orvel_script {

using doctypelib::ParamKind;

HRESULT call(IDocument& document, const Statement& statement, std::vector<std::string>* results)
{
    const doctypelib::MethodInfo& method = *statement.method;
    doctypelib::CallArguments args;
    std::array<com::BStr, doctypelib::maxParams> outs;
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
    HRESULT hr = doctypelib::call(document, method, args);
    if (results && SUCCEEDED(hr))
        for (std::size_t i = 0; i < method.params.size(); ++i)
            if (method.params[i].kind == ParamKind::BstrOut) results->push_back(outs[i].utf8());
    return hr;
}

}  // namespace orvel_script
