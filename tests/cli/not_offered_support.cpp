// Registrations where the search does not look, and the checks of list, list --all and
// explain over them.
#include "cli/not_offered_support.h"

#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "cli/json_twin.h"
#include "support/machine.h"

namespace {

const char kHeading[] = "On this machine but not offered:\n";
const std::string kRoot = kCliRoot;
const char kOfferedList[] =
    "* 0\tBundled Java Runtime Environment\tC:\\jt\\cli\\q\\jre\\bin\\javaw.exe\n"
    "  1\tSun Java Runtime Environment (1.8)\tC:\\jt\\cli\\j8\\bin\\javaw.exe\n";

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

}  // namespace

std::string DumpJavaSoftAndProduct(REGSAM view)
{
    return DumpKeyTree("SOFTWARE\\JavaSoft", view) + DumpKeyTree(kTestVelmorKey, view);
}

std::string NotOfferedSection(const std::string& explainOutput)
{
    const size_t at = explainOutput.find(std::string("\n") + kHeading);
    return at == std::string::npos ? std::string() : explainOutput.substr(at + 1);
}

void SeedOffered()
{
    SeedProduct(kRoot + "\\q", kRoot + "\\q\\jre\\bin\\javaw.exe");
    MakeLauncher(kRoot + "\\q\\jre\\bin\\javaw.exe");
    SeedRuntime("1.8", kRoot + "\\j8");
    MakeLauncher(kRoot + "\\j8\\bin\\javaw.exe");
}

void ClearNotOffered()
{
    ClearMachine();
    ResetProgramKeys(kOtherView);
    RemoveTree(kDwordFolder);
}

void RunNotOfferedCase(const NotOfferedCase& c)
{
    SCOPED_TRACE(c.name);
    ClearNotOffered();
    SeedOffered();
    const std::string listBefore = RunCli("list").out;
    ASSERT_EQ(kOfferedList, listBefore);
    c.seed();
    const std::string ownBefore = DumpJavaSoftAndProduct(kOwnView);
    const std::string otherBefore = DumpJavaSoftAndProduct(kOtherView);

    const CliRun list = RunCli("list");
    EXPECT_EQ(0u, list.exitCode);
    EXPECT_EQ("", list.err);
    EXPECT_EQ(listBefore, list.out) << "list changed";
    EXPECT_EQ(Describe(ListInProcess()), Describe(ParseListOutput(list.out)))
        << "list against the dialog's list box";

    const CliRun all = RunCli("list --all");
    EXPECT_EQ(0u, all.exitCode);
    EXPECT_EQ("", all.err);
    EXPECT_EQ(list.out + JoinLines(c.listAllExtra), all.out);
    ExpectJsonTwin("list --all", all);

    const CliRun explain = RunCli("explain");
    EXPECT_EQ(0u, explain.exitCode);
    EXPECT_EQ("", explain.err);
    EXPECT_EQ(kHeading + JoinLines(c.section), NotOfferedSection(explain.out)) << explain.out;
    ExpectJsonTwin("explain", explain);

    EXPECT_EQ(ownBefore, DumpJavaSoftAndProduct(kOwnView)) << "written in the own view";
    EXPECT_EQ(otherBefore, DumpJavaSoftAndProduct(kOtherView)) << "written in the other view";
}

void ExpectManyNamings(int count, REGSAM view, const char* key, const std::string& viewText)
{
    ClearNotOffered();
    SeedOffered();
    MakeJavaHome(kRoot + "\\j17", kLauncherX64, nullptr);
    std::vector<std::string> wanted;
    for (int i = 0; i < count; ++i) {
        char name[16];
        wsprintfA(name, "1.%04d", i);
        SeedRuntimeUnder(key, name, kRoot + "\\j17", REG_SZ, view);
        wanted.push_back(std::string("      named by JavaSoft, HKLM\\") + key + "\\" + name +
                         " \"JavaHome\"" + viewText);
    }
    const CliRun explain = RunCli("explain");
    EXPECT_EQ(0u, explain.exitCode);
    std::vector<std::string> named;
    const std::string section = NotOfferedSection(explain.out);
    for (size_t at = 0; at < section.size();) {
        size_t end = section.find('\n', at);
        if (end == std::string::npos)
            end = section.size();
        const std::string line = section.substr(at, end - at);
        if (line.compare(0, 15, "      named by ") == 0)
            named.push_back(line);
        at = end + 1;
    }
    EXPECT_EQ(wanted, named);
    const CliRun all = RunCli("list --all");
    EXPECT_EQ(0u, all.exitCode);
    EXPECT_EQ(std::string(kOfferedList) + "  -\tnot selectable: 17.0.10.7 x64, JavaSoft, HKLM\\" +
                  key + "\\1.0000 \"JavaHome\"" + viewText +
                  "\tC:\\jt\\cli\\j17\\bin\\javaw.exe\n",
              all.out);
    EXPECT_EQ(kOfferedList, RunCli("list").out);
}
