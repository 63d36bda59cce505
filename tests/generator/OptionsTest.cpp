// Trace control, overrides, the document type, the property page, the inert
// calls, and the COM identity of the object.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "com/ComString.h"
#include "document/DocumentTypeLib.h"
#include "generator/Orvel.h"
#include "generator/OrvelIds.h"
#include "generator/OrvelSettings.h"
#include "registration/OrvelModule.h"

using namespace gentest;

namespace {

using Options = GeneratorTest;

TEST_F(Options, DocumentTypeAndPropertyPage)
{
    com::BStr type, page, again;
    EXPECT_EQ(doc->getDocType(type.put()), S_OK);
    EXPECT_EQ(type.utf8(), "PowerPoint");
    EXPECT_EQ(doc->getPropPages(page.put()), S_OK);
    EXPECT_EQ(page.utf8(), "{474BDD95-0170-11D3-A6BF-00104B2AEFE1}");
    doc->getPropPages(again.put());
    EXPECT_EQ(page.utf8(), again.utf8());
    EXPECT_EQ(doc->getDocType(nullptr), E_POINTER);
    EXPECT_EQ(doc->getPropPages(nullptr), E_POINTER);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(Options, InertCallsDoNothingAtAnyTime)
{
    EXPECT_EQ(doc->insertTOC(), S_OK);
    EXPECT_EQ(doc->setOrientation(1), S_OK);
    EXPECT_EQ(doc->pushDirectory(bs("x").get()), S_OK);
    open();
    EXPECT_EQ(doc->insertMark(5, 1), S_OK);
    EXPECT_EQ(doc->startTOCEntry(), S_OK);
    EXPECT_EQ(doc->endTOCEntry(), S_OK);
    EXPECT_EQ(doc->setTableRowHeight(40), S_OK);
    EXPECT_EQ(doc->insertTag(nullptr), S_OK);
    EXPECT_EQ(doc->startFile(bs("f").get()), S_OK);
    EXPECT_EQ(doc->insertLocate(), S_OK);
    EXPECT_EQ(doc->popDirectory(), S_OK);
    EXPECT_EQ(doc->insertDiagram(1234, 10, 10), S_OK);
    EXPECT_EQ(logLines().size(), 2u);  // start and create only
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 1u);
    for (const pptx::Shape& shape : deck.slides[0].shapes) EXPECT_EQ(shape.text(), "");
}

TEST_F(Options, TraceLevelsOpenCloseAndRedirectTheLog)
{
    doc->trace(0);
    doc->start();
    EXPECT_TRUE(logLines().empty());
    doc->trace(-1);  // nothing changes: still closed
    doc->setTextAlign(0);
    EXPECT_TRUE(logLines().empty());
    doc->trace(1);  // errors only
    doc->setTextAlign(0);
    EXPECT_TRUE(logLines().empty());
    auto second = dir / "second.log";
    doc->overrideRegistry(bs("Log").get(), bs("LogName").get(), bs(second.string()).get(), 1);
    doc->trace(10);
    doc->setTextAlign(0);
    EXPECT_EQ(testenv::readFile(second), "orvel->setTextAlign(0);\n");
    doc->trace(-5);
    doc->setTextAlign(0);
    EXPECT_EQ(testenv::readFile(second), "orvel->setTextAlign(0);\norvel->setTextAlign(0);\n");
}

TEST(OverrideTypes, ValueTypesMapOntoTheLibraryCodes)
{
    EXPECT_EQ(OrvelSettings::overrideType(1), 2);
    EXPECT_EQ(OrvelSettings::overrideType(2), 0);
    EXPECT_EQ(OrvelSettings::overrideType(3), 1);
    EXPECT_EQ(OrvelSettings::overrideType(7), 2);
}

TEST(OrvelObject, AnswersItsThreeInterfacesAndHoldsTheModule)
{
    long before = orvelModuleLock().count();
    ComPtr<IUnknown> object;
    ASSERT_EQ(Orvel::createInstance(nullptr, IUnknown::iid, object.putVoid()), S_OK);
    EXPECT_EQ(orvelModuleLock().count(), before + 1);
    HRESULT hr = S_OK;
    EXPECT_TRUE(object.as<IDispatch>(&hr));
    EXPECT_TRUE(object.as<IDocument>(&hr));
    void* other = nullptr;
    EXPECT_EQ(object->QueryInterface(makeGuid("{11111111-2222-3333-4444-555555555555}"), &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    object = nullptr;
    EXPECT_EQ(orvelModuleLock().count(), before);
}

// An outer object that aggregates Orvel and counts the calls it receives.
class Outer final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        ++queries;
        if (riid == IUnknown::iid) {
            *object = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(riid, object) : E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    IUnknown* inner = nullptr;
    ULONG refs = 1;
    int queries = 0;
};

TEST(OrvelObject, CanBeAggregated)
{
    Outer outer;
    void* raw = nullptr;
    EXPECT_EQ(Orvel::createInstance(&outer, IDocument::iid, &raw), CLASS_E_NOAGGREGATION);
    ASSERT_EQ(Orvel::createInstance(&outer, IUnknown::iid, &raw), S_OK);
    outer.inner = static_cast<IUnknown*>(raw);
    ComPtr<IDocument> document;
    ASSERT_EQ(outer.QueryInterface(IDocument::iid, document.putVoid()), S_OK);
    // Identity and counting belong to the outer object.
    ULONG outerRefs = outer.refs;
    document->AddRef();
    EXPECT_EQ(outer.refs, outerRefs + 1);
    document->Release();
    ComPtr<IUnknown> identity;
    int queries = outer.queries;
    document->QueryInterface(IUnknown::iid, identity.putVoid());
    EXPECT_EQ(outer.queries, queries + 1);
    EXPECT_EQ(identity.get(), &outer);
    identity = nullptr;
    document = nullptr;
    EXPECT_EQ(outer.refs, 1u);
    outer.inner->Release();  // the aggregate lets its inner object go
}

TEST(OrvelObject, DispatchServesTheMethodsByName)
{
    testenv::ScopedRegistry registry;
    ComPtr<IDocument> document = makeOrvel();
    UINT count = 9;
    EXPECT_EQ(document->GetTypeInfoCount(&count), S_OK);
    OLECHAR name[] = u"getDocType";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(document->GetIDsOfNames(GUID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 24);
    BSTR out = nullptr;
    VARIANT argument;
    argument.vt = VT_BYREF | VT_BSTR;
    argument.pbstrVal = &out;
    DISPPARAMS params;
    params.rgvarg = &argument;
    params.cArgs = 1;
    ASSERT_EQ(document->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    com::BStr type = com::BStr::attach(out);
    EXPECT_EQ(type.utf8(), "PowerPoint");
}

}  // namespace
