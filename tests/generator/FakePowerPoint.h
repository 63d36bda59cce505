// A recording fake of PowerPoint's object model: it keeps a small model of
// presentations, slides, shapes and text, logs every call with its arguments
// ("Shapes.AddLabel(1,75,55,600,420)", "Font.Bold=-1"), and can make any
// chosen call fail with a chosen HRESULT. After Quit every call fails with
// 0x800706BA, as calls into a PowerPoint that has gone do.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "powerpoint/PowerPoint.h"

namespace fakeppt {

struct HyperlinkModel {
    std::string address;
    std::string subAddress;
};

struct LinkOnText {
    int start = 0;
    int length = 0;
    std::shared_ptr<HyperlinkModel> link;
};

struct FrameModel {
    std::u16string text;
    int autoSize = 1;
    int wordWrap = 0;
    bool bulletVisible = false;
    std::map<int, int> alignment;  // paragraph number -> alignment
    std::vector<LinkOnText> links;
    std::string utf8() const;
    std::vector<std::string> paragraphs() const;  // split at "\r"
};

struct ShapeModel {
    std::string kind;  // "label", "picture", "ole", "placeholder"
    float left = 0, top = 0, width = 0, height = 0;
    std::string fileName;
    std::string className;
    int linkToFile = 0;
    int displayAsIcon = 0;
    std::string iconFile;
    int iconIndex = 0;
    std::string iconLabel;
    std::shared_ptr<FrameModel> frame;  // labels and placeholders
    std::shared_ptr<HyperlinkModel> click = std::make_shared<HyperlinkModel>();
};

struct HeaderFooterModel {
    int visible = 0;
    std::string text;
    int useFormat = -1;
    int format = 0;
};

struct HeadersFootersModel {
    HeaderFooterModel footer, slideNumber, dateAndTime;
};

struct SlideModel {
    int id = 0;
    std::vector<std::shared_ptr<ShapeModel>> shapes;
    std::vector<std::shared_ptr<ShapeModel>> notesShapes;  // placeholder 1: slide image, 2: notes body
    HeadersFootersModel headersFooters;
    std::vector<std::shared_ptr<ShapeModel>> labels() const;
    std::vector<std::shared_ptr<ShapeModel>> ofKind(const std::string& kind) const;
    std::string notesText() const;
};

struct PresentationModel {
    std::string fullName;
    std::vector<std::shared_ptr<SlideModel>> slides;
    HeadersFootersModel masterHeadersFooters;
    std::string savedAs;
    int saveFormat = 0;
    int embedFonts = 0;
    std::string appliedTemplate;
    int saves = 0;
    bool closed = false;
    int nextSlideId = 256;
};

class Recorder {
public:
    // Every call, in order.
    std::vector<std::string> calls;
    // Model of the application.
    bool visible = false;
    bool quit = false;
    std::vector<std::shared_ptr<PresentationModel>> open;    // Presentations, in order
    std::vector<std::shared_ptr<PresentationModel>> everMade;  // also closed ones
    int presentationsAdded = 0;
    // Text height of a frame; default: lineHeight per paragraph of a non-empty text.
    double lineHeight = 20.0;
    std::function<double(const std::u16string& text)> heightOf;
    // Height PowerPoint gives an embedded object made with width and height 0.
    float oleNaturalHeight = 100.0f;
    // Live fake objects (leak check).
    int liveObjects = 0;

    // Makes the occurrence-th call whose key is key fail (0: every one).
    // The key is the call up to "(" or including "=": "Presentation.SaveAs",
    // "Font.Bold=", "TextRange.BoundHeight".
    void fail(const std::string& key, HRESULT hr, int occurrence = 1);
    // Logs a call; raises the scheduled failure.
    void record(const std::string& call);

    // Calls whose key is key (or which start with prefix).
    std::vector<std::string> callsOf(const std::string& key) const;
    std::vector<std::string> callsStartingWith(const std::string& prefix) const;
    int count(const std::string& key) const;
    // Index of the first call equal to text at or after from; -1 when none.
    int indexOf(const std::string& text, int from = 0) const;
    // True when the calls contain these, in this order (others between).
    bool inOrder(const std::vector<std::string>& expected) const;

    double frameHeight(const std::u16string& text) const;
    std::shared_ptr<PresentationModel> lastPresentation() const;

private:
    struct Failure {
        HRESULT hr;
        int occurrence;
        int seen = 0;
    };
    std::map<std::string, Failure> failures_;
};

// The fake application object (as the running-object table hands it out).
ComPtr<PowerPoint::_Application> makeApplication(const std::shared_ptr<Recorder>& recorder);

// Registers a fake application in the running-object table for PowerPoint's
// class, so that start finds it; revoked on destruction.
class RunningFakePowerPoint {
public:
    RunningFakePowerPoint();
    RunningFakePowerPoint(const RunningFakePowerPoint&) = delete;
    RunningFakePowerPoint& operator=(const RunningFakePowerPoint&) = delete;
    ~RunningFakePowerPoint();
    Recorder& recorder() { return *recorder_; }
    std::shared_ptr<Recorder> shared() { return recorder_; }
    void revoke();

private:
    std::shared_ptr<Recorder> recorder_;
    DWORD cookie_ = 0;
};

std::string utf8(const std::u16string& text);
std::string number(double value);  // as the log writes geometry: "75", "365", "0.5"

}  // namespace fakeppt
