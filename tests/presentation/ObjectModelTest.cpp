// The object model's collections, its failures, and the application's life:
// indexes out of range, bad arguments, calls after Close and Quit, the
// running-object table and the running files. (The master's footers on
// every slide and the notes body: tests/generator/SlidesTest and the golden
// features deck.)
#include "PptTestSupport.h"
#include "com/ComRuntime.h"
#include "support/SysCOMSupport.h"

namespace ppttest {
namespace {

using ObjectModelTest = PptTest;

TEST_F(ObjectModelTest, PresentationsAndSlidesAreCountedAndIndexedFromOne)
{
    auto presentations = app->GetPresentations();
    EXPECT_EQ(presentations->GetCount(), 1);
    auto second = presentations->Add(msoTrue);
    EXPECT_EQ(presentations->GetCount(), 2);
    EXPECT_EQ(presentation->GetFullName(), u"Presentation1");
    EXPECT_EQ(second->GetFullName(), u"Presentation2");
    EXPECT_EQ(presentations->Item(2)->GetFullName(), u"Presentation2");

    auto slides = presentation->GetSlides();
    auto a = slides->Add(1, ppLayoutBlank);
    auto c = slides->Add(2, ppLayoutBlank);
    auto b = slides->Add(2, ppLayoutBlank);  // inserted between: slides keep the positions given
    EXPECT_EQ(slides->GetCount(), 3);
    EXPECT_EQ(a->GetSlideIndex(), 1);
    EXPECT_EQ(b->GetSlideIndex(), 2);
    EXPECT_EQ(c->GetSlideIndex(), 3);
    // Ids count from 256 in the order slides were made, never reused.
    EXPECT_EQ(a->GetSlideID(), 256);
    EXPECT_EQ(c->GetSlideID(), 257);
    EXPECT_EQ(b->GetSlideID(), 258);
    EXPECT_EQ(slides->Item(2)->GetSlideID(), 258);
}

TEST_F(ObjectModelTest, OutOfRangeIndexesAndBadArgumentsAreComErrors)
{
    auto slides = presentation->GetSlides();
    std::string why;
    EXPECT_EQ(errorOf([&] { app->GetPresentations()->Item(2); }, &why), E_INVALIDARG);
    EXPECT_NE(why.find("Presentations.Item"), std::string::npos);
    EXPECT_EQ(errorOf([&] { slides->Item(1); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slides->Add(2, ppLayoutBlank); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slides->Add(0, ppLayoutBlank); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slides->Add(1, static_cast<PpSlideLayout>(99)); }), E_INVALIDARG);
    auto slide = addSlide();
    auto shapes = slide->GetShapes();
    EXPECT_EQ(errorOf([&] { shapes->Item(1); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { shapes->AddLabel(static_cast<MsoTextOrientation>(7), 0, 0, 10, 10); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(3); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slide->GetHeadersFooters()->GetDateAndTime()->PutFormat(static_cast<PpDateTimeFormat>(14)); }),
              E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { app->GetPresentations()->Add(static_cast<MsoTriState>(4)); }), E_INVALIDARG);
    // Files that are not there are failures, never shapes or presentations.
    EXPECT_TRUE(FAILED(errorOf([&] { shapes->AddPicture(u"missing.png", msoFalse, msoTrue, 0, 0, 10, 10); })));
    EXPECT_TRUE(FAILED(errorOf([&] { app->GetPresentations()->Open(u"missing.pptx", msoFalse, msoFalse, msoTrue); })));
    EXPECT_EQ(shapes->GetCount(), 0);
    EXPECT_EQ(app->GetPresentations()->GetCount(), 1);
}

TEST_F(ObjectModelTest, LabelsSizeToTheirTextUntilFixed)
{
    auto slide = addSlide();
    auto label = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 10, 101, 36);
    auto frame = label->GetTextFrame();
    EXPECT_EQ(frame->GetAutoSize(), ppAutoSizeShapeToFitText);
    EXPECT_EQ(frame->GetWordWrap(), msoFalse);
    frame->GetTextRange()->InsertAfter(u"A header much wider than one hundred points");
    EXPECT_GT(label->GetWidth(), 101.0f);
    EXPECT_NEAR(label->GetHeight(), 18 * 1.2f + 7.2f, 0.01f);
    EXPECT_EQ(label->GetLeft(), 75.0f);
    frame->PutAutoSize(ppAutoSizeNone);
    frame->PutWordWrap(msoTrue);
    EXPECT_EQ(label->GetWidth(), 101.0f);
    EXPECT_EQ(label->GetHeight(), 36.0f);
    // Degenerate geometry is kept within bounds.
    auto odd = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, std::nanf(""), 1e30f, -5, 10);
    odd->GetTextFrame()->PutAutoSize(ppAutoSizeNone);
    EXPECT_EQ(odd->GetLeft(), 0.0f);
    EXPECT_EQ(odd->GetWidth(), 0.0f);
    EXPECT_LE(odd->GetTop(), 1.0e6f);
}

TEST_F(ObjectModelTest, EveryCallAfterQuitFailsAsAVanishedServer)
{
    auto slide = addSlide();
    auto range = textOf(addBody(slide));
    auto font = range->GetFont();
    auto footer = slide->GetHeadersFooters()->GetFooter();
    auto presentations = app->GetPresentations();
    auto keep = app;
    app->Quit();
    std::string why;
    EXPECT_EQ(errorOf([&] { range->InsertAfter(u"x"); }, &why), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(errorOf([&] { font->PutBold(msoTrue); }), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_EQ(errorOf([&] { range->GetBoundHeight(); }), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_EQ(errorOf([&] { footer->PutVisible(msoTrue); }), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_EQ(errorOf([&] { presentations->GetCount(); }), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_EQ(errorOf([&] { presentation->SaveAs(u16((dir / "x.pptx").string()), ppSaveAsPresentation, msoTrue); }),
              RPC_E_SERVER_UNAVAILABLE);
    EXPECT_EQ(errorOf([&] { keep->GetVisible(); }), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_EQ(errorOf([&] { keep->Quit(); }), RPC_E_SERVER_UNAVAILABLE);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.pptx"));
}

TEST_F(ObjectModelTest, ApplicationAndSavedFilesAreRunningUntilClosed)
{
    auto running = SysCOMSupport::getRunningIUnknown(KestString(PowerPoint::applicationClsidString));
    ASSERT_TRUE(running);
    EXPECT_TRUE(running.as<_Application>().get() == app.get());
    running = nullptr;

    auto path = save("running.pptx");
    EXPECT_TRUE(SysCOMSupport::isFileRunning(KestString(path.string())));
    EXPECT_EQ(presentation->GetFullName(), u16(path.string()));
    // Saving under another name moves the registration.
    auto other = save("other.pptx");
    EXPECT_FALSE(SysCOMSupport::isFileRunning(KestString(path.string())));
    EXPECT_TRUE(SysCOMSupport::isFileRunning(KestString(other.string())));
    auto slides = presentation->GetSlides();
    presentation->Close();
    EXPECT_FALSE(SysCOMSupport::isFileRunning(KestString(other.string())));
    // A closed presentation is gone from the collection, and so are its objects.
    EXPECT_EQ(app->GetPresentations()->GetCount(), 0);
    EXPECT_EQ(errorOf([&] { slides->GetCount(); }), E_FAIL);
    EXPECT_EQ(errorOf([&] { presentation->GetFullName(); }), E_FAIL);

    app->Quit();
    EXPECT_FALSE(SysCOMSupport::getRunningIUnknown(KestString(PowerPoint::applicationClsidString)));
}

}  // namespace
}  // namespace ppttest
