#include "SampleTable.h"

#include <gtest/gtest.h>

#include "WordDocument.h"
#include "com/ComString.h"

namespace wordtest {
namespace {

HRESULT text(IDocument& d, const char* value)
{
    return d.insertText(com::BStr(value).get());
}

HRESULT font(IDocument& d, const char* name, SHORT size)
{
    d.setFontName(com::BStr(name).get());
    d.setTableRowHeight(size + 4);
    return d.setFontSize(size);
}

}  // namespace

ComPtr<IDocument> newDocument()
{
    ComPtr<IDocument> d;
    EXPECT_EQ(word::WordDocument::createInstance(nullptr, IDocument::iid, d.putVoid()), S_OK);
    return d;
}

HRESULT writeSampleTable(IDocument& d, const std::filesystem::path& target, const std::filesystem::path& picture)
{
    d.start();
    d.overrideRegistry(com::BStr("Word").get(), com::BStr("WordTemplateName").get(), com::BStr("").get(), 1);
    d.create(com::BStr(target.string()).get());
    d.setOrientation(1);
    d.startTable();
    font(d, "Arial", 12);

    d.addRow();
    d.setFontAttribute(1, 1);
    d.addCell(), text(d, "Name");
    d.addCell(), text(d, "Size");
    d.addCell(), text(d, "Style");
    d.addCell(), text(d, "Picture");
    d.setFontAttribute(1, 0);

    d.addRow();
    d.addCell();
    font(d, "Times New Roman", 14);
    d.setFontAttribute(2, 1), text(d, "Alpha"), d.setFontAttribute(2, 0);
    d.addCell();
    font(d, "Courier New", 10);
    d.setFontAttribute(4, 1), text(d, "Ünïcödé & <markup>"), d.setFontAttribute(4, 0);
    d.addCell();
    font(d, "Arial", 12);
    d.setTextAlign(3);
    d.setFontAttribute(8, 1), text(d, "Struck"), d.setFontAttribute(8, 0);
    d.addCell();
    d.setTextAlign(1);
    d.insertImage(com::BStr(picture.string()).get(), com::BStr("").get());

    d.addRow();
    d.setTableRowHeight(40);
    d.addCell();
    d.setTextAlign(2);
    text(d, "Two\nlines");
    d.addCell();
    d.setTextAlign(1);
    text(d, "Tab\there");
    d.addCell();
    d.insertXref(com::BStr("Example").get(), com::BStr("https://example.com/").get());
    d.addCell();
    d.insertXref(com::BStr("See section").get(), com::BStr("Section 2").get());

    d.endTable();
    return d.close();
}

const TableText& sampleTableText()
{
    static const TableText expected{
        {"Name", "Size", "Style", "Picture"},
        {"Alpha", "Ünïcödé & <markup>", "Struck", ""},
        {"Two\nlines", "Tab\there", "Example", "See section"},
    };
    return expected;
}

}  // namespace wordtest
