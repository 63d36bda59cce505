#include "DocumentBuilder.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace word {

void DocumentBuilder::startTable()
{
    if (tableOpen_) endTable();
    tableOpen_ = true;
    tableBlockAdded_ = false;
    rowOpen_ = cellOpen_ = false;
}

void DocumentBuilder::endTable()
{
    tableOpen_ = false;
    tableBlockAdded_ = false;
    rowOpen_ = cellOpen_ = false;
    bodyParagraphOpen_ = false;  // text after the table starts below it
}

Table& DocumentBuilder::currentTable()
{
    return std::get<Table>(content_.blocks.back());
}

void DocumentBuilder::addRow()
{
    if (!tableOpen_) return;
    if (!tableBlockAdded_) {
        if (pageBreakPending_) {  // a table cannot start a page itself: an empty paragraph does
            bodyParagraphOpen_ = false;
            currentParagraph();
        }
        content_.blocks.emplace_back(Table{});
        tableBlockAdded_ = true;
        bodyParagraphOpen_ = false;
    }
    currentTable().rows.push_back(Row{rowHeight_, {}});
    rowOpen_ = true;
    cellOpen_ = false;
}

void DocumentBuilder::addCell()
{
    if (!tableOpen_) return;
    if (!rowOpen_) addRow();
    currentTable().rows.back().cells.push_back(Cell{{newParagraph()}});
    cellOpen_ = true;
}

void DocumentBuilder::setRowHeight(int points)
{
    rowHeight_ = points <= 0 ? 0 : std::min(points, largestRowPoints);
    if (rowOpen_) currentTable().rows.back().heightPoints = rowHeight_;
}

void DocumentBuilder::setFontName(std::string_view name)
{
    format_.fontName = name.empty() ? std::string(RunFormat::defaultFontName) : std::string(name);
}

void DocumentBuilder::setFontSize(int points)
{
    if (points > 0) format_.halfPoints = std::min(points, largestFontPoints) * 2;
}

void DocumentBuilder::setFontAttribute(int code, bool on)
{
    switch (code) {
    case 1: format_.bold = on; break;
    case 2: format_.italic = on; break;
    case 4: format_.underline = on; break;
    case 8: format_.strike = on; break;
    default: break;
    }
}

void DocumentBuilder::setAlignment(int code)
{
    switch (code) {
    case 1: alignment_ = Alignment::Left; break;
    case 2: alignment_ = Alignment::Center; break;
    case 3: alignment_ = Alignment::Right; break;
    case 4: alignment_ = Alignment::Justify; break;
    default: return;
    }
    if (tableOpen_ && rowOpen_) {
        if (cellOpen_) currentTable().rows.back().cells.back().paragraphs.back().alignment = alignment_;
    } else if (bodyParagraphOpen_) {
        std::get<Paragraph>(content_.blocks.back()).alignment = alignment_;
    }
}

Paragraph DocumentBuilder::newParagraph() const
{
    Paragraph p;
    p.alignment = alignment_;
    p.markFormat = format_;
    return p;
}

Paragraph& DocumentBuilder::currentParagraph()
{
    if (tableOpen_ && rowOpen_) {
        if (!cellOpen_) addCell();
        return currentTable().rows.back().cells.back().paragraphs.back();
    }
    if (!bodyParagraphOpen_) {
        Paragraph p = newParagraph();
        p.pageBreakBefore = std::exchange(pageBreakPending_, false);
        content_.blocks.emplace_back(std::move(p));
        bodyParagraphOpen_ = true;
    }
    return std::get<Paragraph>(content_.blocks.back());
}

void DocumentBuilder::breakParagraph()
{
    if (tableOpen_ && rowOpen_) {
        if (!cellOpen_) addCell();
        currentTable().rows.back().cells.back().paragraphs.push_back(newParagraph());
        return;
    }
    if (!bodyParagraphOpen_) currentParagraph();  // an empty line
    bodyParagraphOpen_ = false;
}

void DocumentBuilder::appendRun(Run run)
{
    Paragraph& paragraph = currentParagraph();
    paragraph.markFormat = run.format;
    if (run.kind == Run::Kind::Text && !paragraph.runs.empty()) {
        Run& last = paragraph.runs.back();
        if (last.kind == Run::Kind::Text && last.format == run.format && last.link == run.link) {
            last.text += run.text;
            return;
        }
    }
    paragraph.runs.push_back(std::move(run));
}

void DocumentBuilder::insertText(std::string_view utf8, std::string_view link)
{
    std::size_t start = 0;
    while (true) {
        std::size_t end = utf8.find_first_of("\r\n", start);
        std::string_view piece = utf8.substr(start, end == std::string_view::npos ? end : end - start);
        if (!piece.empty()) {
            Run run;
            run.format = format_;
            run.text = std::string(piece);
            run.link = std::string(link);
            appendRun(std::move(run));
        }
        if (end == std::string_view::npos) break;
        breakParagraph();
        start = end + 1;
        if (utf8[end] == '\r' && start < utf8.size() && utf8[start] == '\n') ++start;
    }
}

void DocumentBuilder::insertEndl()
{
    breakParagraph();
}

void DocumentBuilder::insertPageBreak()
{
    if (tableOpen_ && rowOpen_) {
        breakParagraph();
        return;
    }
    bodyParagraphOpen_ = false;
    pageBreakPending_ = true;
}

void DocumentBuilder::insertPicture(Image image, std::string_view link)
{
    std::size_t hash = std::hash<std::string>{}(image.bytes);
    std::size_t index = content_.images.size();
    auto [first, last] = imagesByHash_.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (content_.images[it->second].bytes == image.bytes) index = it->second;
    if (index == content_.images.size()) {
        content_.images.push_back(std::move(image));
        imagesByHash_.emplace(hash, index);
    }
    Run run;
    run.kind = Run::Kind::Picture;
    run.format = format_;
    run.link = std::string(link);
    run.image = index;
    appendRun(std::move(run));
}

void DocumentBuilder::insertField(std::string_view instruction, std::string_view result)
{
    Run run;
    run.kind = Run::Kind::Field;
    run.format = format_;
    run.instruction = std::string(instruction);
    run.text = std::string(result);
    appendRun(std::move(run));
}

}  // namespace word
