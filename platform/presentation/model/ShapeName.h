// A shape's name. Most shapes keep the name they were made with, a stem
// and a number ("TextBox 3", "Notes Placeholder 2"), which is spelled out
// when read rather than stored in every shape; a name taken from a file is
// kept as given.
#pragma once

#include <memory>
#include <string>

namespace ppt {

class ShapeName {
public:
    ShapeName() = default;  // no name
    // stem must outlive the name: a string literal.
    ShapeName(const char16_t* stem, int number) : stem_(stem), number_(number) {}
    ShapeName(std::u16string name) : given_(std::make_unique<const std::u16string>(std::move(name))) {}

    std::u16string text() const;

private:
    std::unique_ptr<const std::u16string> given_;
    const char16_t* stem_ = u"";
    int number_ = -1;  // none
};

}  // namespace ppt
