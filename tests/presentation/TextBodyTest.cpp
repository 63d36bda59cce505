// The text body's incremental bookkeeping (paragraph starts, formatting
// runs, cached paragraph heights) against a recount from scratch, over
// random inserts, format changes anywhere in the text and frame changes,
// with the text widening from one byte per character to UTF-16 halfway (the
// paragraphs measured before must measure the same after).
#include <gtest/gtest.h>

#include <random>

#include "model/TextBody.h"

namespace {

using ppt::TextBody;

// What the body should hold, worked out again from its text alone.
void expectConsistent(TextBody& body, const std::u16string& text, int step)
{
    ASSERT_EQ(body.text().copy(0, text.size()), text) << step;
    int paragraph = 0;
    ASSERT_EQ(body.paragraphStart(0), 0) << step;
    for (int i = 0; i < body.length(); ++i) {
        if (text[static_cast<std::size_t>(i)] != u'\r') continue;
        ++paragraph;
        ASSERT_LT(paragraph, body.paragraphCount()) << step;
        ASSERT_EQ(body.paragraphStart(paragraph), i + 1) << step;
    }
    ASSERT_EQ(paragraph + 1, body.paragraphCount()) << step;
    double fresh = 0;
    for (int p = 0; p < body.paragraphCount(); ++p) fresh += ppt::layoutParagraph(body, p, body.frame()).height;
    ASSERT_NEAR(body.totalHeight(), fresh, 0.01) << step;
}

TEST(TextBody, IncrementalLayoutMatchesARecountAfterRandomEdits)
{
    std::mt19937 random(11);
    TextBody body;
    body.setFrame({true, 200});
    std::u16string text;  // what the body should read back
    const std::u16string pieces[] = {u"word ", u"\r", u"a longer caf\u00e9 stretch of words \u00ff ", u"x", u"\r\r", u"\v", u"\u4e2d\U0001F600\uffff"};
    for (int step = 0; step < 400; ++step) {
        const int length = body.length();
        const int a = length ? static_cast<int>(random() % static_cast<unsigned>(length + 1)) : 0;
        switch (random() % 5) {
        case 0:
        case 1: {
            const int at = random() % 3 ? length : a;
            const std::u16string& piece = pieces[random() % (step < 200 ? 6 : 7)];
            body.insert(at, piece);
            text.insert(static_cast<std::size_t>(at), piece);
            ASSERT_EQ(body.text().wide(), text.find(u'\u4e2d') != std::u16string::npos) << step;
            break;
        }
        case 2: {
            const int b = a + static_cast<int>(random() % 12);
            const float size = static_cast<float>(10 + random() % 30);
            body.changeChars(a, b, [size](ppt::CharFormat& f) { f.size = size; });
            break;
        }
        case 3: body.setFrame({random() % 4 != 0, static_cast<float>(100 + random() % 300)}); break;
        default: {
            const int first = body.paragraphAt(std::min(a, body.length()));
            const bool on = random() % 2;
            body.changeParagraphs(first, first + 1 + static_cast<int>(random() % 3),
                                  [on](ppt::ParaFormat& f) { f.bullet = on; });
        }
        }
        if (step % 7 == 0) expectConsistent(body, text, step);
    }
    expectConsistent(body, text, -1);
}

}  // namespace
