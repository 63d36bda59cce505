// Shared set-up for the stand-in's tests: an application of the engine
// (made directly, not through the registry), a private registry and
// folder, and small helpers to drive the object model.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "com/ComError.h"
#include "com/ComString.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "objects/Objects.h"
#include "powerpoint/PowerPoint.h"

namespace ppttest {

using namespace PowerPoint;

class PptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = ppt::makeApplication();
        presentation = app->GetPresentations()->Add(msoTrue);
    }
    void TearDown() override { quit(); }
    void quit()
    {
        if (!app) return;
        try {
            app->Quit();
        } catch (const ComError&) {
        }
        presentation = nullptr;
        app = nullptr;
    }

    ComPtr<_Slide> addSlide()
    {
        auto slides = presentation->GetSlides();
        return slides->Add(slides->GetCount() + 1, ppLayoutBlank);
    }
    // A label as the slide builder makes the body: fixed box, wrapping.
    static ComPtr<Shape> addBody(const ComPtr<_Slide>& slide, float left = 75, float top = 55, float width = 600,
                                 float height = 420)
    {
        auto shape = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, left, top, width, height);
        auto frame = shape->GetTextFrame();
        frame->PutAutoSize(ppAutoSizeNone);
        frame->PutWordWrap(msoTrue);
        return shape;
    }
    static ComPtr<TextRange> textOf(const ComPtr<Shape>& shape) { return shape->GetTextFrame()->GetTextRange(); }

    std::filesystem::path save(const std::string& name)
    {
        auto path = dir / name;
        presentation->SaveAs(com::utf8ToUtf16(path.string()), ppSaveAsPresentation, msoTrue);
        return path;
    }

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    ComPtr<_Application> app;
    ComPtr<_Presentation> presentation;
};

// The HRESULT a call raises (0 when it raises nothing).
inline HRESULT errorOf(const std::function<void()>& call, std::string* description = nullptr)
{
    try {
        call();
    } catch (const ComError& e) {
        if (description) *description = e.Description();
        return e.Error();
    }
    return S_OK;
}

// The package validator on a saved deck: content types, relationships,
// schemas, and the unique ids PowerPoint would otherwise repair.
inline void expectSoundPackage(const std::filesystem::path& path)
{
    auto result = testenv::validatePackage(path);
    EXPECT_EQ(result.status, 0) << path << "\n" << result.output;
}

inline std::u16string u16(const std::string& s) { return com::utf8ToUtf16(s); }

}  // namespace ppttest
