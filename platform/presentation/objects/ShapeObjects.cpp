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

class TextFrameObject final : public ObjectBase<TextFrame> {
public:
    using InterfaceType = TextFrame;
    TextFrameObject(Context context, std::shared_ptr<ShapeTree> tree, std::shared_ptr<ShapeModel> shape)
        : ObjectBase(std::move(context)), tree_(std::move(tree)), shape_(std::move(shape))
    {
    }

    ComPtr<TextRange> GetTextRange() override
    {
        return com::guardMember("TextFrame.GetTextRange", [&]() -> ComPtr<TextRange> {
            check();
            return makeTextRange(context(), tree_, shape_, RangeExtent{});
        });
    }

    PpAutoSize GetAutoSize() override
    {
        return com::guardMember("TextFrame.GetAutoSize", [&]() -> PpAutoSize {
            check();
            return shape_->autoSize == AutoSize::None ? ppAutoSizeNone : ppAutoSizeShapeToFitText;
        });
    }

    void PutAutoSize(PpAutoSize autoSize) override
    {
        return com::guardMember("TextFrame.PutAutoSize", [&]() -> void {
            check();
            if (autoSize != ppAutoSizeNone && autoSize != ppAutoSizeShapeToFitText)
                com::throwComError(E_INVALIDARG, "TextFrame.AutoSize : the value " +
                                                     std::to_string(static_cast<int>(autoSize)) +
                                                     " is not valid (use ppAutoSizeNone or ppAutoSizeShapeToFitText).");
            shape_->autoSize = autoSize == ppAutoSizeNone ? AutoSize::None : AutoSize::ShapeToFitText;
        });
    }

    MsoTriState GetWordWrap() override
    {
        return com::guardMember("TextFrame.GetWordWrap", [&]() -> MsoTriState {
            check();
            return triState(shape_->wordWrap);
        });
    }

    void PutWordWrap(MsoTriState wordWrap) override
    {
        return com::guardMember("TextFrame.PutWordWrap", [&]() -> void {
            check();
            const bool wrap = triStateArgument(wordWrap, "TextFrame.WordWrap");
            if (wrap == shape_->wordWrap) return;
            shape_->wordWrap = wrap;
            shape_->updateFrame();
        });
    }

private:
    std::shared_ptr<ShapeTree> tree_;
    std::shared_ptr<ShapeModel> shape_;
};

class ShapeObject final : public ObjectBase<Shape> {
public:
    using InterfaceType = Shape;
    ShapeObject(Context context, std::shared_ptr<ShapeTree> tree, std::shared_ptr<ShapeModel> shape)
        : ObjectBase(std::move(context)), tree_(std::move(tree)), shape_(std::move(shape))
    {
    }

    ComPtr<TextFrame> GetTextFrame() override
    {
        return com::guardMember("Shape.GetTextFrame", [&]() -> ComPtr<TextFrame> {
            check();
            if (!shape_->text)
                com::throwComError(E_FAIL, "Shape.TextFrame : this shape (" + com::utf16ToUtf8(shape_->name) +
                                               ") has no text frame.");
            return makeObject<TextFrameObject>(context(), tree_, shape_);
        });
    }

    ComPtr<ActionSettings> GetActionSettings() override
    {
        return com::guardMember("Shape.GetActionSettings", [&]() -> ComPtr<ActionSettings> {
            check();
            return makeActionSettings(context(), LinkHost{tree_, shape_, false, {}});
        });
    }

    float GetLeft() override
    {
        return com::guardMember("Shape.GetLeft", [&]() -> float {
            check();
            return shape_->effectiveBox().left;
        });
    }
    float GetTop() override
    {
        return com::guardMember("Shape.GetTop", [&]() -> float {
            check();
            return shape_->effectiveBox().top;
        });
    }
    float GetWidth() override
    {
        return com::guardMember("Shape.GetWidth", [&]() -> float {
            check();
            return shape_->effectiveBox().width;
        });
    }
    float GetHeight() override
    {
        return com::guardMember("Shape.GetHeight", [&]() -> float {
            check();
            return shape_->effectiveBox().height;
        });
    }

private:
    std::shared_ptr<ShapeTree> tree_;
    std::shared_ptr<ShapeModel> shape_;
};

class PlaceholdersObject final : public ObjectBase<Placeholders> {
public:
    using InterfaceType = Placeholders;
    PlaceholdersObject(Context context, std::shared_ptr<ShapeTree> tree)
        : ObjectBase(std::move(context)), tree_(std::move(tree))
    {
    }

    int GetCount() override
    {
        return com::guardMember("Placeholders.GetCount", [&]() -> int {
            check();
            return static_cast<int>(list().size());
        });
    }

    ComPtr<Shape> Item(int index) override
    {
        return com::guardMember("Placeholders.Item", [&]() -> ComPtr<Shape> {
            check();
            auto placeholders = list();
            if (index < 1 || index > static_cast<int>(placeholders.size()))
                com::throwComError(E_INVALIDARG, "Placeholders.Item : Integer out of range. " + std::to_string(index) +
                                                     " is not in the valid range of 1 to " +
                                                     std::to_string(placeholders.size()) + ".");
            return makeShape(context(), tree_, placeholders[static_cast<std::size_t>(index) - 1]);
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

    std::shared_ptr<ShapeTree> tree_;
};

class ShapesObject final : public ObjectBase<Shapes> {
public:
    using InterfaceType = Shapes;
    ShapesObject(Context context, std::shared_ptr<ShapeTree> tree) : ObjectBase(std::move(context)), tree_(std::move(tree))
    {
    }

    int GetCount() override
    {
        return com::guardMember("Shapes.GetCount", [&]() -> int {
            check();
            return static_cast<int>(tree_->shapes.size());
        });
    }

    ComPtr<Shape> Item(int index) override
    {
        return com::guardMember("Shapes.Item", [&]() -> ComPtr<Shape> {
            check();
            const auto& shapes = tree_->shapes;
            if (index < 1 || index > static_cast<int>(shapes.size()))
                com::throwComError(E_INVALIDARG, "Shapes.Item : Integer out of range. " + std::to_string(index) +
                                                     " is not in the valid range of 1 to " + std::to_string(shapes.size()) +
                                                     ".");
            return makeShape(context(), tree_, shapes[static_cast<std::size_t>(index) - 1]);
        });
    }

    ComPtr<Placeholders> GetPlaceholders() override
    {
        return com::guardMember("Shapes.GetPlaceholders", [&]() -> ComPtr<Placeholders> {
            check();
            return makeObject<PlaceholdersObject>(context(), tree_);
        });
    }

    ComPtr<Shape> AddLabel(MsoTextOrientation orientation, float left, float top, float width, float height) override
    {
        return com::guardMember("Shapes.AddLabel", [&]() -> ComPtr<Shape> {
            check();
            if (orientation != msoTextOrientationHorizontal)
                com::throwComError(E_INVALIDARG, "Shapes.AddLabel : the orientation " +
                                                     std::to_string(static_cast<int>(orientation)) +
                                                     " is not supported (use msoTextOrientationHorizontal).");
            const int id = tree_->nextId;
            ShapeModel& shape = tree_->add(LabelShape{}, u"TextBox " + com::utf8ToUtf16(std::to_string(id - 1)),
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
        return com::guardMember("Shapes.AddPicture", [&]() -> ComPtr<Shape> {
            check();
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
        return com::guardMember("Shapes.AddOLEObject", [&]() -> ComPtr<Shape> {
            check();
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

private:
    std::shared_ptr<ShapeTree> tree_;
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
