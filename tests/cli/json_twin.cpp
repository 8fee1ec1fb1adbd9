// Runs the --json twins and keeps the documents for the Python check.
#include "cli/json_twin.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace {

std::string ConfigurationName()
{
    char name[64];
    const DWORD length = GetEnvironmentVariableA("JRESELECT_WINE_CONFIG", name, sizeof(name));
    return length > 0 && length < sizeof(name) ? std::string(name) : std::string("unknown");
}

// The test program's name without .exe.
std::string ProgramName()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    name = name.substr(name.find_last_of('\\') + 1);
    return name.substr(0, name.rfind('.'));
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = fwrite(content.data(), 1, content.size(), file) == content.size();
    return fclose(file) == 0 && written;
}

}  // namespace

bool IsPlainAscii(const std::string& text)
{
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte > 0x7E) && byte != '\t' && byte != '\n' && byte != '\r')
            return false;
    }
    return true;
}

void KeepForJsonCheck(const std::string& json, const CliRun* text)
{
    static int kept = 0;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = std::string(JRESELECT_JSON_OUT_W) + "\\" + ConfigurationName();
    CreateDirectoryA(JRESELECT_JSON_OUT_W, nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + ProgramName();
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string base = folder + "\\" +
                             (test != nullptr ? std::string(test->test_suite_name()) + "." +
                                                    test->name()
                                              : std::string("outside")) +
                             "-" + std::to_string(++kept);
    EXPECT_TRUE(WriteWholeFile(base + ".json", json)) << base;
    // The text form is ANSI text: the check reads it in this code page.
    const std::string codePage = ".cp" + std::to_string(GetACP());
    if (text != nullptr) {
        const bool ran = text->exitCode == 0;
        EXPECT_TRUE(WriteWholeFile(base + codePage + (ran ? ".txt" : ".err"),
                                   ran ? text->out : text->err))
            << base;
    }
}

std::string ExpectJsonTwin(const std::string& command, const CliRun& text)
{
    const CliRun json = RunCli(command + " --json");
    EXPECT_EQ(text.exitCode, json.exitCode) << command << " --json";
    EXPECT_EQ(text.err, json.err) << command << " --json: stderr as without --json";
    EXPECT_TRUE(IsPlainAscii(json.out)) << command << " --json:\n" << json.out;
    EXPECT_EQ('{', json.out.empty() ? '\0' : json.out[0]) << json.out;
    EXPECT_EQ(std::string("}\n"), json.out.size() >= 2 ? json.out.substr(json.out.size() - 2) : "")
        << json.out;
    KeepForJsonCheck(json.out, &text);
    return json.out;
}
