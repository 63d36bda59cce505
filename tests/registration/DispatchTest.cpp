// IDocument through IDispatch: names and ids from the type library, Invoke
// with VARIANT arguments, and the same deck as through the function table.
#include <gtest/gtest.h>

#include "PackageParts.h"
#include "Script.h"
#include "ScriptCall.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/Variant.h"
#include "common/Modules.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "document/IDocument.h"
#include "support/KestException.h"

namespace {

using doctypelib::ParamKind;

// Arguments for Invoke, last first, freed when the call is over.
class Arguments {
public:
    Arguments() = default;
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments()
    {
        for (VARIANT& v : values_) VariantClear(&v);
    }
    Arguments& text(std::string_view utf8)
    {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = com::allocBstr(utf8);
        return add(v);
    }
    Arguments& i2(std::int16_t n)
    {
        VARIANT v;
        v.vt = VT_I2;
        v.iVal = n;
        return add(v);
    }
    Arguments& i4(std::int32_t n)
    {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = n;
        return add(v);
    }
    Arguments& boolean(bool b)
    {
        VARIANT v;
        v.vt = VT_BOOL;
        v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        return add(v);
    }
    Arguments& outText(BSTR* target)
    {
        VARIANT v;
        v.vt = VT_BYREF | VT_BSTR;
        v.pbstrVal = target;
        return add(v);
    }
    Arguments& raw(const VARIANT& v) { return add(v); }
    DISPPARAMS* params()
    {
        params_.rgvarg = values_.data();
        params_.cArgs = static_cast<UINT>(values_.size());
        return &params_;
    }

private:
    Arguments& add(const VARIANT& v)
    {
        values_.insert(values_.begin(), v);  // automation passes the last argument first
        return *this;
    }
    std::vector<VARIANT> values_;
    DISPPARAMS params_;
};

DISPID idOf(IDispatch& dispatch, const char* name)
{
    std::u16string n = com::utf8ToUtf16(name);
    LPOLESTR names[] = {n.data()};
    DISPID id = 0;
    EXPECT_EQ(dispatch.GetIDsOfNames(GUID_NULL, names, 1, 0, &id), S_OK) << name;
    return id;
}

HRESULT invoke(IDispatch& dispatch, DISPID id, Arguments& args, UINT* argumentError = nullptr)
{
    VARIANT result;
    EXCEPINFO exception;
    UINT error = 0;
    HRESULT hr = dispatch.Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, args.params(), &result, &exception,
                                 argumentError ? argumentError : &error);
    VariantClear(&result);
    return hr;
}

// A client that knows IDispatch only: every statement by name.
HRESULT invokeStatement(IDispatch& dispatch, const orvel_script::Statement& s)
{
    Arguments args;
    std::vector<com::BStr> outs(s.method->params.size());
    std::size_t input = 0;
    for (std::size_t i = 0; i < s.method->params.size(); ++i) {
        const orvel_script::Argument* a = nullptr;
        if (s.method->params[i].kind != ParamKind::BstrOut) a = &s.args.at(input++);
        switch (s.method->params[i].kind) {
        case ParamKind::BstrIn: args.text(a->text); break;
        case ParamKind::ShortIn: args.i2(static_cast<std::int16_t>(a->number)); break;
        case ParamKind::LongIn: args.i4(a->number); break;
        case ParamKind::BoolIn: args.boolean(a->number != 0); break;
        case ParamKind::BstrOut: args.outText(outs[i].put()); break;
        }
    }
    return invoke(dispatch, idOf(dispatch, s.method->name), args);
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(testenv::registerModule("liborvelcom.so", &error)) << error;
        HRESULT hr = E_FAIL;
        document = com::createInstance<IDocument>("Orvel.Orvel", &hr);
        ASSERT_TRUE(document) << std::hex << hr;
        dispatch = document.as<IDispatch>();
        ASSERT_TRUE(dispatch);
    }
    testenv::ScopedRegistry scopedRegistry;
    ComPtr<IDocument> document;
    ComPtr<IDispatch> dispatch;
};

TEST_F(Dispatch, NamesMapToTheTypeLibrarysIdsWhateverTheirCase)
{
    EXPECT_EQ(idOf(*dispatch.get(), "create"), 1);
    EXPECT_EQ(idOf(*dispatch.get(), "INSERTTEXT"), 3);
    EXPECT_EQ(idOf(*dispatch.get(), "popDirectory"), 42);
    for (const doctypelib::MethodInfo& m : doctypelib::methods()) EXPECT_EQ(idOf(*dispatch.get(), m.name), m.dispid);

    std::u16string method = u"insertFile", param = u"insertAsType", bad = u"noSuchMethod";
    LPOLESTR names[] = {method.data(), param.data()};
    DISPID ids[2] = {0, 0};
    ASSERT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 23);
    EXPECT_EQ(ids[1], 1);  // parameters are numbered by position
    LPOLESTR unknown[] = {bad.data()};
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);

    UINT count = 7;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(dispatch->GetTypeInfoCount(nullptr), E_POINTER);
}

TEST_F(Dispatch, BadCallsAreRefusedWithTheAutomationErrors)
{
    Arguments none;
    EXPECT_EQ(invoke(*dispatch.get(), 0, none), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(*dispatch.get(), 43, none), DISP_E_MEMBERNOTFOUND);
    VARIANT result;
    EXPECT_EQ(dispatch->Invoke(24, GUID_NULL, 0, DISPATCH_PROPERTYPUT, none.params(), &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);

    Arguments tooMany;
    tooMany.i2(1).i2(2);
    EXPECT_EQ(invoke(*dispatch.get(), 20, tooMany), DISP_E_BADPARAMCOUNT);  // setFontSize
    Arguments tooFew;
    EXPECT_EQ(invoke(*dispatch.get(), 14, tooFew), DISP_E_BADPARAMCOUNT);  // setOption

    Arguments word;
    word.text("twelve");
    UINT position = 99;
    EXPECT_EQ(invoke(*dispatch.get(), 20, word, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);
    Arguments notAText;
    notAText.text("a.txt").text("link");  // insertFile(BSTR, short): the second is no number
    EXPECT_EQ(invoke(*dispatch.get(), 23, notAText, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);  // the last argument comes first
    Arguments tooBig;
    tooBig.i4(70000);
    EXPECT_EQ(invoke(*dispatch.get(), 20, tooBig), DISP_E_OVERFLOW);
    Arguments notByReference;
    notByReference.text("x");
    EXPECT_EQ(invoke(*dispatch.get(), 24, notByReference), DISP_E_TYPEMISMATCH);  // getDocType

    Arguments named;
    named.i2(12);
    DISPID name = 0;
    named.params()->rgdispidNamedArgs = &name;
    named.params()->cNamedArgs = 1;
    EXPECT_EQ(dispatch->Invoke(20, GUID_NULL, 0, DISPATCH_METHOD, named.params(), &result, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
    named.params()->cNamedArgs = 0;
}

TEST_F(Dispatch, ArgumentsAreCoercedAndOutTextsFilled)
{
    com::BStr docType, page;
    Arguments a;
    a.outText(docType.put());
    ASSERT_EQ(invoke(*dispatch.get(), 24, a), S_OK);
    EXPECT_EQ(docType.utf8(), "PowerPoint");
    Arguments b;
    b.outText(page.put());
    ASSERT_EQ(invoke(*dispatch.get(), 16, b), S_OK);
    EXPECT_EQ(page.utf8(), "{474BDD95-0170-11D3-A6BF-00104B2AEFE1}");

    // A number given as text, a boolean as a number: converted as automation does.
    Arguments size;
    size.text("12");
    EXPECT_EQ(invoke(*dispatch.get(), 20, size), S_OK);
    Arguments attribute;
    attribute.i4(1).i4(1);
    EXPECT_EQ(invoke(*dispatch.get(), 21, attribute), S_OK);
    Arguments byReference;
    VARIANT inner;
    inner.vt = VT_I2;
    inner.iVal = 3;
    VARIANT ref;
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &inner;
    byReference.raw(ref);
    EXPECT_EQ(invoke(*dispatch.get(), 15, byReference), S_OK);  // trace(-level as a referenced variant)
}

TEST_F(Dispatch, AFailureOfTheMethodLeavesInvokeAsItLeavesTheFunctionTable)
{
    // No PowerPoint is registered in this registry.
    Arguments none;
    try {
        invoke(*dispatch.get(), 17, none);  // start
        FAIL() << "start did not raise";
    } catch (const KestException& e) {
        EXPECT_EQ(e.reasonText().str(), "Cannot open PowerPoint\nPlease install PowerPoint.\n");
    }
}

const char* deckScript =
    "orvel->overrideRegistry(\"PowerPoint\",\"ClosePauseMs\",\"0\",1);\n"
    "orvel->overrideRegistry(\"Log\",\"LogName\",\"@DIR@/trace.log\",1);\n"
    "orvel->trace(10);\n"
    "orvel->start();\n"
    "orvel->create(\"@DIR@/deck.pptx\");\n"
    "orvel->startHeader();\n"
    "orvel->insertText(\"Report Page \");\n"
    "orvel->insertField(4);\n"
    "orvel->endHeader();\n"
    "orvel->startFooter();\n"
    "orvel->insertText(\"Quarterly figures\");\n"
    "orvel->insertField(4);\n"
    "orvel->endFooter();\n"
    "orvel->setStyle(\"Heading 1\");\n"
    "orvel->insertText(\"Results\");\n"
    "orvel->insertEndl();\n"
    "orvel->setStyle(\"Normal\");\n"
    "orvel->setFontName(\"Times New Roman\");\n"
    "orvel->setFontSize(20);\n"
    "orvel->setFontAttribute(Bold,TRUE);\n"
    "orvel->insertText(\"Bold \");\n"
    "orvel->setFontAttribute(Bold,FALSE);\n"
    "orvel->setFontAttribute(Italic,TRUE);\n"
    "orvel->insertText(\"and italic\");\n"
    "orvel->setFontAttribute(Italic,FALSE);\n"
    "orvel->insertEndl();\n"
    "orvel->setStyle(\"List Bullet\");\n"
    "orvel->insertText(\"first point\");\n"
    "orvel->insertEndl();\n"
    "orvel->setStyle(\"Normal\");\n"
    "orvel->setTextAlign(2);\n"
    "orvel->insertText(\"centred\");\n"
    "orvel->insertEndl();\n"
    "orvel->setTextAlign(1);\n"
    "orvel->insertXref(\"see the next slide\",\"Slide 2\");\n"
    "orvel->insertEndl();\n"
    "orvel->insertText(\"Visit <a href=\"https://example.com/\">our site</a> today\");\n"
    "orvel->insertEndl();\n"
    "orvel->setOption(\"startNote\",\"\");\n"
    "orvel->insertText(\"Speaker notes\");\n"
    "orvel->setOption(\"endNote\",\"\");\n"
    "orvel->insertImage(\"@DIR@/dot.gif\",\"https://example.com/dot\");\n"
    "orvel->insertPageBreak();\n"
    "orvel->insertText(\"Second slide\");\n"
    "orvel->insertEndl();\n"
    "orvel->insertTOC();\n"
    "orvel->insertMark(7,TRUE);\n"
    "orvel->startTOCEntry();\n"
    "orvel->endTOCEntry();\n"
    "orvel->setOrientation(1);\n"
    "orvel->setTableRowHeight(20);\n"
    "orvel->insertTag(\"tag\");\n"
    "orvel->startFile(\"file\");\n"
    "orvel->insertLocate();\n"
    "orvel->pushDirectory(\"dir\");\n"
    "orvel->popDirectory();\n"
    "orvel->insertDiagram(0,10,10);\n"
    "orvel->getDocType();\n"
    "orvel->getPropPages();\n"
    "orvel->close();\n"
    "orvel->stop();\n";

std::vector<orvel_script::Statement> deckStatements(const std::filesystem::path& dir, std::string& text)
{
    text = deckScript;
    for (std::size_t at; (at = text.find("@DIR@")) != std::string::npos;) text.replace(at, 5, dir.string());
    auto parsed = orvel_script::parse(text);
    EXPECT_TRUE(parsed.ok());
    return parsed.statements;
}

// A 1 x 1 GIF picture.
const char dotGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
                      "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02" "D\x01\x00;";

TEST(DispatchClient, WritesTheSameDeckAsTheFunctionTableClient)
{
    testenv::ScopedRegistry scopedRegistry;
    std::string error;
    ASSERT_TRUE(testenv::registerModule("liborvelcom.so", &error)) << error;
    ASSERT_TRUE(testenv::registerModule("libpowerpoint.so", &error)) << error;
    testenv::TempDir byTable, byDispatch;
    std::string text;
    for (const auto* dir : {&byTable, &byDispatch}) {
        testenv::writeFile(*dir / "dot.gif", std::string(dotGif, sizeof dotGif - 1));
        auto statements = deckStatements(dir->path(), text);
        ComPtr<IDocument> doc = com::createInstance<IDocument>("Orvel.Orvel");
        ASSERT_TRUE(doc);
        for (const auto& s : statements) {
            SCOPED_TRACE(orvel_script::format(s));
            if (dir == &byTable)
                ASSERT_EQ(orvel_script::call(*doc.get(), s), S_OK);
            else
                ASSERT_EQ(invokeStatement(*doc.as<IDispatch>().get(), s), S_OK);
        }
    }
    auto table = regtest::slideParts(byTable / "deck.pptx");
    auto dispatch = regtest::slideParts(byDispatch / "deck.pptx");
    ASSERT_TRUE(table.contains("ppt/slides/slide2.xml"));
    EXPECT_EQ(table, dispatch);
    EXPECT_EQ(testenv::validatePackage(byDispatch / "deck.pptx").status, 0)
        << testenv::validatePackage(byDispatch / "deck.pptx").output;

    // Both logs echo the same calls, apart from the folder names in them.
    std::string tableLog = testenv::readFile(byTable / "trace.log");
    std::string dispatchLog = testenv::readFile(byDispatch / "trace.log");
    for (std::size_t at; (at = tableLog.find(byTable.path().string())) != std::string::npos;)
        tableLog.replace(at, byTable.path().string().size(), "@DIR@");
    for (std::size_t at; (at = dispatchLog.find(byDispatch.path().string())) != std::string::npos;)
        dispatchLog.replace(at, byDispatch.path().string().size(), "@DIR@");
    EXPECT_NE(tableLog.find("orvel->insertText(\"Results\");"), std::string::npos);
    EXPECT_EQ(tableLog, dispatchLog);
}

}  // namespace
