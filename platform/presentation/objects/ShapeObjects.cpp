// Shapes, Placeholders, a Shape and its TextFrame.
#include <algorithm>
#include <cmath>
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "com/ComString.h"
#include "objects/EmbeddedShapes.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace ppt {
namespace {

using namespace PowerPoint;

constexpr float kGeometryLimit = 1.0e6f;  // points; far beyond any slide

float geometry(float value, bool isSize)
{
    if (std::isnan(value)) return 0;
    value = std::clamp(value, -kGeometryLimit, kGeometryLimit);
    return isSize ? std::max(0.0f, value) : value;
}

Box boxArgument(float left, float top, float width, float height)
{
    return Box{geometry(left, false), geometry(top, false), geometry(width, true), geometry(height, true)};
}

struct ShapeTreeView {
    std::shared_ptr<ShapeTree> tree_;
    PartGuard* partGuard() const { return tree_->guard; }
};
struct ShapeView {
    std::shared_ptr<ShapeTree> tree_;
    std::shared_ptr<ShapeModel> shape_;
    PartGuard* partGuard() const { return tree_->guard; }
};

class TextFrameObject final : public ObjectBase<TextFrame, ShapeView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<TextRange> GetTextRange() override
    {
        return member("TextFrame.GetTextRange", [&]() -> ComPtr<TextRange> {
            return makeTextRange(context(), tree_, shape_, RangeExtent{});
        });
    }

    PpAutoSize GetAutoSize() override
    {
        return member("TextFrame.GetAutoSize", [&]() -> PpAutoSize {
            return shape_->autoSize == AutoSize::None ? ppAutoSizeNone : ppAutoSizeShapeToFitText;
        });
    }

    void PutAutoSize(PpAutoSize autoSize) override
    {
        member("TextFrame.PutAutoSize", [&] {
            if (autoSize != ppAutoSizeNone && autoSize != ppAutoSizeShapeToFitText)
                com::throwComError(E_INVALIDARG, "TextFrame.AutoSize : the value " +
                                                     std::to_string(static_cast<int>(autoSize)) +
                                                     " is not valid (use ppAutoSizeNone or ppAutoSizeShapeToFitText).");
            shape_->autoSize = autoSize == ppAutoSizeNone ? AutoSize::None : AutoSize::ShapeToFitText;
        });
    }

    MsoTriState GetWordWrap() override
    {
        return member("TextFrame.GetWordWrap", [&] { return triState(shape_->wordWrap); });
    }

    void PutWordWrap(MsoTriState wordWrap) override
    {
        member("TextFrame.PutWordWrap", [&] {
            const bool wrap = triStateArgument(wordWrap, "TextFrame.WordWrap");
            if (wrap == shape_->wordWrap) return;
            shape_->wordWrap = wrap;
            shape_->updateFrame();
        });
    }
};

class ShapeObject final : public ObjectBase<Shape, ShapeView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<TextFrame> GetTextFrame() override
    {
        return member("Shape.GetTextFrame", [&]() -> ComPtr<TextFrame> {
            if (!shape_->text)
                com::throwComError(E_FAIL, "Shape.TextFrame : this shape (" + com::utf16ToUtf8(shape_->name.text()) +
                                               ") has no text frame.");
            return makeObject<TextFrameObject>(context(), tree_, shape_);
        });
    }

    ComPtr<ActionSettings> GetActionSettings() override
    {
        return member("Shape.GetActionSettings", [&]() -> ComPtr<ActionSettings> {
            return makeActionSettings(context(), LinkHost{tree_, shape_, false, {}});
        });
    }

    float GetLeft() override { return edge("Shape.GetLeft", &Box::left); }
    float GetTop() override { return edge("Shape.GetTop", &Box::top); }
    float GetWidth() override { return edge("Shape.GetWidth", &Box::width); }
    float GetHeight() override { return edge("Shape.GetHeight", &Box::height); }

private:
    float edge(const char* what, float Box::*part) const
    {
        return member(what, [&] { return shape_->effectiveBox().*part; });
    }

};

class PlaceholdersObject final : public ObjectBase<Placeholders, ShapeTreeView> {
public:
    using ObjectBase::ObjectBase;

    int GetCount() override
    {
        return member("Placeholders.GetCount", [&] { return static_cast<int>(list().size()); });
    }

    ComPtr<Shape> Item(int index) override
    {
        return member("Placeholders.Item", [&]() -> ComPtr<Shape> {
            return makeShape(context(), tree_, itemAt("Placeholders", list(), index));
        });
    }

private:
    std::vector<std::shared_ptr<ShapeModel>> list() const
    {
        std::vector<std::shared_ptr<ShapeModel>> result;
        for (const auto& shape : tree_->shapes)
            if (std::holds_alternative<PlaceholderShape>(shape->kind)) result.push_back(shape);
        return result;
    }

};

class ShapesObject final : public ObjectBase<Shapes, ShapeTreeView> {
public:
    using ObjectBase::ObjectBase;

    int GetCount() override
    {
        return member("Shapes.GetCount", [&] { return static_cast<int>(tree_->shapes.size()); });
    }

    ComPtr<Shape> Item(int index) override
    {
        return member("Shapes.Item", [&]() -> ComPtr<Shape> {
            return makeShape(context(), tree_, itemAt("Shapes", tree_->shapes, index));
        });
    }

    ComPtr<Placeholders> GetPlaceholders() override
    {
        return member("Shapes.GetPlaceholders", [&] { return makeObject<PlaceholdersObject>(context(), tree_); });
    }

    ComPtr<Shape> AddLabel(MsoTextOrientation orientation, float left, float top, float width, float height) override
    {
        return member("Shapes.AddLabel", [&]() -> ComPtr<Shape> {
            if (orientation != msoTextOrientationHorizontal)
                com::throwComError(E_INVALIDARG, "Shapes.AddLabel : the orientation " +
                                                     std::to_string(static_cast<int>(orientation)) +
                                                     " is not supported (use msoTextOrientationHorizontal).");
            const int id = tree_->nextId;
            ShapeModel& shape = tree_->add(LabelShape{}, ShapeName(u"TextBox ", id - 1),
                                           boxArgument(left, top, width, height));
            // A label sizes itself to its text and does not wrap.
            shape.autoSize = AutoSize::ShapeToFitText;
            shape.wordWrap = false;
            shape.text = std::make_unique<TextBody>();
            shape.updateFrame();
            return makeShape(context(), tree_, tree_->shapes.back());
        });
    }

    ComPtr<Shape> AddPicture(const std::u16string& fileName, MsoTriState linkToFile, MsoTriState saveWithDocument,
                             float left, float top, float width, float height) override
    {
        return member("Shapes.AddPicture", [&]() -> ComPtr<Shape> {
            PictureRequest request;
            request.fileName = fileName;
            request.linkToFile = triStateArgument(linkToFile, "Shapes.AddPicture LinkToFile");
            request.saveWithDocument = triStateArgument(saveWithDocument, "Shapes.AddPicture SaveWithDocument");
            request.box = boxArgument(left, top, width, height);
            request.naturalWidth = width < 0;
            request.naturalHeight = height < 0;
            addPictureShape(*context().presentation, *tree_, request);
            return makeShape(context(), tree_, tree_->shapes.back());
        });
    }

    ComPtr<Shape> AddOLEObject(float left, float top, float width, float height, const std::u16string& className,
                               const std::u16string& fileName, MsoTriState displayAsIcon,
                               const std::u16string& iconFileName, int iconIndex, const std::u16string& iconLabel,
                               MsoTriState link) override
    {
        return member("Shapes.AddOLEObject", [&]() -> ComPtr<Shape> {
            OleObjectRequest request;
            request.className = className;
            request.fileName = fileName;
            request.asIcon = triStateArgument(displayAsIcon, "Shapes.AddOLEObject DisplayAsIcon");
            request.link = triStateArgument(link, "Shapes.AddOLEObject Link");
            request.iconLabel = iconLabel;
            (void)iconFileName, (void)iconIndex;  // the icon is drawn, not taken from a program file
            request.box = boxArgument(left, top, width, height);
            request.naturalWidth = !(width > 0);
            request.naturalHeight = !(height > 0);
            addOleObjectShape(*context().presentation, *tree_, request);
            return makeShape(context(), tree_, tree_->shapes.back());
        });
    }
};

}  // namespace

ComPtr<Shapes> makeShapes(const Context& context, std::shared_ptr<ShapeTree> tree)
{
    return makeObject<ShapesObject>(context, std::move(tree));
}
ComPtr<Placeholders> makePlaceholders(const Context& context, std::shared_ptr<ShapeTree> tree)
{
    return makeObject<PlaceholdersObject>(context, std::move(tree));
}
ComPtr<Shape> makeShape(const Context& context, std::shared_ptr<ShapeTree> tree, std::shared_ptr<ShapeModel> shape)
{
    return makeObject<ShapeObject>(context, std::move(tree), std::move(shape));
}
ComPtr<TextFrame> makeTextFrame(const Context& context, std::shared_ptr<ShapeTree> tree,
                                std::shared_ptr<ShapeModel> shape)
{
    return makeObject<TextFrameObject>(context, std::move(tree), std::move(shape));
}

}  // namespace ppt
