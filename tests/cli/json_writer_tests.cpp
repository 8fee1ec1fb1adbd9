// The console program's JSON writer, in the code page that the program is built for (932 or
// 1252, as tests/codepage): escapes, code page text, texts that do not convert, sizes. Each
// document is also kept for the Python check (json_twin.h), which parses it.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <string>

#include "cli/json_twin.h"
#include "cli/json_writer.h"

namespace {

#if JRESELECT_TEST_CODE_PAGE == 932
#define WRITER_TEST JsonWriter932Test
#elif JRESELECT_TEST_CODE_PAGE == 1252
#define WRITER_TEST JsonWriter1252Test
#else
#error "JRESELECT_TEST_CODE_PAGE must be 932 or 1252"
#endif

class WRITER_TEST : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(static_cast<UINT>(JRESELECT_TEST_CODE_PAGE), GetACP())
            << "this program's tables are written for code page " << JRESELECT_TEST_CODE_PAGE;
    }
};

// The document {"t": text}, as the writer makes it.
std::string OneText(const std::string& text, bool* whole = nullptr)
{
    JsonWriter writer;
    JsonStart(&writer);
    JsonBeginObject(&writer, nullptr);
    const bool converted = JsonTextOfLength(&writer, "t", text.data(), text.size());
    JsonEndObject(&writer);
    if (whole != nullptr)
        *whole = converted;
    KeepForJsonCheck(writer.text, nullptr);
    return writer.text;
}

std::string Wrapped(const std::string& value)
{
    return "{\n  \"t\": " + value + "\n}\n";
}

struct EscapeCase {
    const char* name;
    std::string text;
    std::string json;  // the string as written, quotes included
};

TEST_F(WRITER_TEST, EscapesEverythingButPrintableAscii)
{
    const EscapeCase cases[] = {
        {"empty", "", "\"\""},
        {"quotes", "say \"hi\"", "\"say \\\"hi\\\"\""},
        {"backslashes, a path and a UNC prefix", "\\\\srv\\C:\\x\\", "\"\\\\\\\\srv\\\\C:\\\\x\\\\\""},
        {"slash stays", "a/b", "\"a/b\""},
        {"control characters", std::string("\x01\t\n\r\x1f", 5),
         "\"\\u0001\\u0009\\u000a\\u000d\\u001f\""},
        {"a NUL inside", std::string("a\0b", 3), "\"a\\u0000b\""},
        {"DEL", "\x7f", "\"\\u007f\""},
        {"printable ASCII as it is", " !#$%&'()*+,-.0123456789:;<=>?@AZ[]^_`az{|}~",
         "\" !#$%&'()*+,-.0123456789:;<=>?@AZ[]^_`az{|}~\""},
#if JRESELECT_TEST_CODE_PAGE == 932
        // Hyou (0x95 0x5C: its trail byte is a backslash's), katakana a, half-width a.
        {"double-byte ending in 0x5C", "C:\\\x95\x5c", "\"C:\\\\\\u8868\""},
        {"double-byte with an ASCII letter as trail byte", "\x83\x41\x83\x61",
         "\"\\u30a2\\u30c2\""},
        {"half-width katakana", "\xb1", "\"\\uff71\""},
#else
        {"Latin-1 letters", "J\xfcrgen \xe9\xc9\xdf", "\"J\\u00fcrgen \\u00e9\\u00c9\\u00df\""},
        {"the euro sign and quotes of 1252", "\x80\x93\x94", "\"\\u20ac\\u201c\\u201d\""},
        {"no-break space", "\xa0", "\"\\u00a0\""},
#endif
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool whole = false;
        EXPECT_EQ(Wrapped(c.json), OneText(c.text, &whole));
        EXPECT_TRUE(whole);
    }
}

// Surrogate pairs, which no ANSI code page here makes, are written as two escapes.
TEST_F(WRITER_TEST, WritesEachHalfOfASurrogatePair)
{
    const wchar_t pair[] = {0xd83d, 0xde00, 'x'};
    std::string out;
    AppendJsonString(&out, pair, 3);
    EXPECT_EQ("\"\\ud83d\\ude00x\"", out);
}

#if JRESELECT_TEST_CODE_PAGE == 932
// A byte sequence that code page 932 has no character for is reported: U+FFFD where it
// stood, the text's bytes beside it, and nothing after it lost.
TEST_F(WRITER_TEST, ReportsWhatTheCodePageCannotConvert)
{
    const EscapeCase cases[] = {
        {"a lead byte at the end", "C:\\x\x95",
         "\"C:\\\\x\\ufffd\",\n  \"t_bytes\": \"433a5c7895\""},
        {"a lead byte before a space", "\x81 a", "\"\\ufffd a\",\n  \"t_bytes\": \"812061\""},
        {"a bad one between good ones", "\x83\x41\x81\x7f\x83\x41",
         "\"\\u30a2\\ufffd\\u007f\\u30a2\",\n  \"t_bytes\": \"8341817f8341\""},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool whole = true;
        EXPECT_EQ(Wrapped(c.json), OneText(c.text, &whole));
        EXPECT_FALSE(whole);
    }
    // In an array the element becomes an object with the text and its bytes.
    JsonWriter writer;
    JsonStart(&writer);
    JsonBeginArray(&writer, nullptr);
    EXPECT_FALSE(JsonText(&writer, nullptr, "a\x95"));
    EXPECT_TRUE(JsonText(&writer, nullptr, "b"));
    JsonEndArray(&writer);
    EXPECT_EQ("[\n  {\n    \"text\": \"a\\ufffd\",\n    \"bytes\": \"6195\"\n  },\n  \"b\"\n]\n",
              writer.text);
    EXPECT_EQ(1, writer.unconvertible);
    KeepForJsonCheck(writer.text, nullptr);
}
#else
// Every byte of code page 1252 converts: nothing is reported.
TEST_F(WRITER_TEST, ConvertsEveryByteOfTheCodePage)
{
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += static_cast<char>(byte);
    bool whole = false;
    const std::string json = OneText(all, &whole);
    EXPECT_TRUE(whole);
    EXPECT_TRUE(IsPlainAscii(json));
    EXPECT_EQ(std::string::npos, json.find("t_bytes"));
}
#endif

TEST_F(WRITER_TEST, HugeTextsAreWrittenWhole)
{
#if JRESELECT_TEST_CODE_PAGE == 932
    const std::string character = "\x95\x5c";
    const std::string escaped = "\\u8868";
#else
    const std::string character = "\xfc";
    const std::string escaped = "\\u00fc";
#endif
    const int kCount = 300000;
    std::string text;
    std::string wanted;
    for (int i = 0; i < kCount; ++i) {
        text += character + "\\";
        wanted += escaped + "\\\\";
    }
    EXPECT_EQ(Wrapped("\"" + wanted + "\""), OneText(text));
#if JRESELECT_TEST_CODE_PAGE == 932
    // One bad byte in the middle: converted character by character, nothing else lost.
    const std::string bad = text.substr(0, text.size() / 2) + "\x81 " + text.substr(text.size() / 2);
    bool whole = true;
    const std::string json = OneText(bad, &whole);
    EXPECT_FALSE(whole);
    EXPECT_NE(std::string::npos,
              json.find("\"" + wanted.substr(0, wanted.size() / 2) + "\\ufffd " +
                        wanted.substr(wanted.size() / 2) + "\""));
#endif
}

TEST_F(WRITER_TEST, NestsObjectsArraysAndPlainValues)
{
    JsonWriter writer;
    JsonStart(&writer);
    JsonBeginObject(&writer, nullptr);
    JsonNumber(&writer, "zero", 0);
    JsonNumber(&writer, "negative", -1);
    JsonNumber(&writer, "largest", LONG_MAX);
    JsonNumber(&writer, "smallest", LONG_MIN);
    JsonBool(&writer, "yes", true);
    JsonBool(&writer, "no", false);
    JsonNull(&writer, "nothing");
    JsonText(&writer, "null text", nullptr);
    JsonBeginArray(&writer, "empty");
    JsonEndArray(&writer);
    JsonBeginObject(&writer, "empty object");
    JsonEndObject(&writer);
    JsonBeginArray(&writer, "items");
    JsonNumber(&writer, nullptr, 1);
    JsonBeginObject(&writer, nullptr);
    JsonText(&writer, "a", "b");
    JsonEndObject(&writer);
    JsonBeginArray(&writer, nullptr);
    JsonEndArray(&writer);
    JsonEndArray(&writer);
    JsonEndObject(&writer);
    EXPECT_EQ("{\n"
              "  \"zero\": 0,\n"
              "  \"negative\": -1,\n"
              "  \"largest\": " + std::to_string(LONG_MAX) + ",\n"
              "  \"smallest\": " + std::to_string(LONG_MIN) + ",\n"
              "  \"yes\": true,\n"
              "  \"no\": false,\n"
              "  \"nothing\": null,\n"
              "  \"null text\": null,\n"
              "  \"empty\": [],\n"
              "  \"empty object\": {},\n"
              "  \"items\": [\n"
              "    1,\n"
              "    {\n"
              "      \"a\": \"b\"\n"
              "    },\n"
              "    []\n"
              "  ]\n"
              "}\n",
              writer.text);
    EXPECT_EQ(0, writer.depth);
    KeepForJsonCheck(writer.text, nullptr);
}

}  // namespace
