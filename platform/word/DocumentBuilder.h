// Builds a DocumentContent from the stream of editing calls a document
// back-end receives: text goes where the cursor is, which is the current
// cell while a table has a row and a cell, else the body after everything
// written so far.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "DocumentContent.h"

namespace word {

class DocumentBuilder {
public:
    const DocumentContent& content() const { return content_; }

    void setOrientation(Orientation orientation) { content_.orientation = orientation; }

    // Starting a table while one is open ends that one first. Content given
    // after startTable and before the first row goes before the table.
    void startTable();
    void endTable();
    bool tableOpen() const { return tableOpen_; }
    // Ignored outside a table. A row without cells is left out of the document.
    void addRow();
    // Starts a row first when the table has none yet.
    void addCell();
    // The least height of the current row and of the rows that follow; <= 0 clears it.
    void setRowHeight(int points);

    // Formatting of the text written from now on. An empty name is the default font.
    void setFontName(std::string_view name);
    void setFontSize(int points);  // ignored unless positive; large sizes are capped
    void setFontAttribute(int code, bool on);  // 1 bold, 2 italic, 4 underline, 8 strike
    // 1 left, 2 centred, 3 right, 4 justified; for the current paragraph and
    // those that follow. Other codes change nothing.
    void setAlignment(int code);

    // Line feeds (and CR LF, CR) end paragraphs. A link makes the text a hyperlink.
    void insertText(std::string_view utf8, std::string_view link = {});
    void insertEndl();
    // Outside a table the next paragraph starts a new page; in a cell, where
    // pages cannot break, it ends the paragraph.
    void insertPageBreak();
    void insertPicture(Image image, std::string_view link = {});
    void insertField(std::string_view instruction, std::string_view result);

    static constexpr int largestFontPoints = 1638;  // the largest size Word accepts
    static constexpr int largestRowPoints = 1584;   // 22 inches, the tallest page

private:
    Paragraph& currentParagraph();
    Paragraph newParagraph() const;
    void appendRun(Run run);
    Table& currentTable();
    void breakParagraph();

    DocumentContent content_;
    RunFormat format_;
    Alignment alignment_ = Alignment::Left;
    int rowHeight_ = 0;
    bool tableOpen_ = false;
    bool rowOpen_ = false;
    bool cellOpen_ = false;
    bool bodyParagraphOpen_ = false;  // text continues the last body paragraph
    bool pageBreakPending_ = false;
    bool tableBlockAdded_ = false;    // the open table has its block (from its first row on)
    std::unordered_multimap<std::size_t, std::size_t> imagesByHash_;  // hash of the bytes -> image
};

}  // namespace word
