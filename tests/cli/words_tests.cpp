// The words' texts are printf formats that the text printers fill with up to two texts: a
// row with another conversion (%d, %ls, a third %s) would read an argument that is not there.
#include <gtest/gtest.h>

#include <string>

#include "cli/words.h"

namespace {

TEST(WordsTest, EveryTextTakesAtMostTwoTexts)
{
    size_t count = 0;
    const Words* const* all = AllWords(&count);
    ASSERT_GT(count, 0u);
    for (size_t i = 0; i < count; ++i) {
        for (const char* text : {all[i]->text, all[i]->other}) {
            if (text == nullptr)
                continue;
            SCOPED_TRACE(text);
            int texts = 0;
            for (const char* at = text; *at != '\0'; ++at) {
                if (*at != '%')
                    continue;
                ++at;
                ASSERT_TRUE(*at == '%' || *at == 's') << "a conversion other than %s or %%";
                if (*at == 's')
                    ++texts;
            }
            EXPECT_LE(texts, 2);
        }
    }
}

// A code is a word of the JSON form: lower case, digits, _ and -, never empty.
TEST(WordsTest, CodesAreStableWords)
{
    size_t count = 0;
    const Words* const* all = AllWords(&count);
    for (size_t i = 0; i < count; ++i) {
        const char* code = all[i]->code;
        if (code == nullptr)
            continue;  // a fact that does not apply: null
        SCOPED_TRACE(code);
        EXPECT_NE('\0', code[0]);
        EXPECT_EQ(std::string(code).find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_-"),
                  std::string::npos);
    }
}

}  // namespace
