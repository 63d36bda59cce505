// A client program of the presentation back-end: creates "Orvel.Orvel"
// through the COM runtime and writes a two-slide deck. Build it against an
// installed tree with
//   c++ -std=c++20 client.cpp $(pkg-config --cflags --libs orvel) -o client
// and register the modules once with `orvel register`.
#include <cstdio>
#include <string>

#include "com/ComError.h"
#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "document/IDocument.h"
#include "support/KestException.h"

namespace {

// IDocument takes its texts as BSTRs; this keeps each one alive for the call.
class Text {
public:
    explicit Text(const std::string& utf8) : value_(utf8) {}
    operator BSTR() const { return value_.get(); }  // NOLINT: reads like a string argument

private:
    com::BStr value_;
};

void check(HRESULT hr)
{
    if (FAILED(hr)) throw ComError(hr);
}

void writeDeck(IDocument& doc, const std::string& fileName)
{
    // No pause at the end of close: this program is not interactive.
    check(doc.overrideRegistry(Text("PowerPoint"), Text("ClosePauseMs"), Text("0"), 1));
    check(doc.start());
    check(doc.create(Text(fileName)));

    check(doc.startFooter());
    check(doc.insertText(Text("Written by the Orvel client example")));
    check(doc.insertField(4));
    check(doc.endFooter());

    check(doc.setStyle(Text("Heading 1")));
    check(doc.insertText(Text("Hello from a C++ client")));
    check(doc.insertEndl());
    check(doc.setStyle(Text("List Bullet")));
    for (const char* point : {"created through the COM runtime", "driven through IDocument", "saved by PowerPoint"}) {
        check(doc.insertText(Text(point)));
        check(doc.insertEndl());
    }
    check(doc.insertPageBreak());
    check(doc.setStyle(Text("Heading 2")));
    check(doc.insertText(Text("Second slide")));
    check(doc.insertEndl());
    check(doc.setStyle(Text("Normal")));
    check(doc.insertText(Text("Back to the <a href=\"Slide 1\">first slide</a>.")));
    check(doc.insertEndl());
    check(doc.close());
    check(doc.stop());
}

}  // namespace

int main(int argc, char** argv)
{
    std::string fileName = argc > 1 ? argv[1] : "client-example.pptx";
    HRESULT hr = S_OK;
    ComPtr<IDocument> doc = com::createInstance<IDocument>("Orvel.Orvel", &hr);
    if (!doc) {
        std::fprintf(stderr, "client: cannot create Orvel.Orvel: %s\n%s\n(register the modules with 'orvel register')\n",
                     ComError(hr).what(), com::lastErrorDescription().c_str());
        return 1;
    }
    try {
        writeDeck(*doc.get(), fileName);
    } catch (const KestException& e) {
        std::fprintf(stderr, "client: %s\n", e.what());
        return 1;
    } catch (const ComError& e) {
        std::fprintf(stderr, "client: %s\n", e.what());
        return 1;
    }
    std::printf("%s\n", fileName.c_str());
    return 0;
}
