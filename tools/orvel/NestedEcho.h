// A trace log holds, beside the client's calls, the calls the object makes
// of a text with link markup: after the client's insertText come the pieces,
// each echoed as a call of its own (in the slide body the text before each
// link, the link as insertXref and the rest; in a table only the link).
// insertField(3) likewise echoes the insertText of the file name it writes,
// and startTable the setFontSize of the table's first font size.
// Replaying the log runs the client's call, which makes the pieces again, so
// the lines that are exactly those pieces are passed over.
#pragma once

#include <string>

#include "Script.h"

namespace orvel_script {

class NestedEcho {
public:
    // True when the statement is a piece of the markup call before it and is
    // not to be run; false for a call of the client's own. Statements are
    // given in script order, each once.
    bool isNested(const Statement& statement);

private:
    enum class Next { Nothing, FirstPiece, Before, Link, Rest, FileName, TableFontSize };

    bool isNextPiece(const Statement& statement);
    void follow(const Statement& statement);

    Next next_ = Next::Nothing;
    std::string markup_;       // the text whose pieces are still to come
    bool capturingBody_ = true;  // markup is resolved only in the body
    std::string fileName_;       // what insertField(3) writes, from the last create
};

}  // namespace orvel_script
