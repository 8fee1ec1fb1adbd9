// Values from the machine that hold control characters: the text forms print each of those
// characters as <U+00XX>, so that a value never makes a line of its own and no escape
// sequence reaches a terminal. The JSON form keeps the raw text; the JSON check renders it
// back with the same notation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/not_offered_support.h"
#include "support/machine_test.h"

namespace {

class CliTextTest : public MachineTest {};

const std::string kRoot = "C:\\jt\\cli";
// A line that a person or a script would take for the current runtime.
const std::string kForged = "\n* 7\tFake Runtime\tC:\\evil\\bin\\javaw.exe";
const std::string kForgedShown =
    "<U+000A>* 7<U+0009>Fake Runtime<U+0009>C:\\evil\\bin\\javaw.exe";
// A terminal's title set, then the screen cleared.
const std::string kEscapes = "\x1b]0;owned\x07\x1b[2J\r\x7f";
const std::string kEscapesShown = "<U+001B>]0;owned<U+0007><U+001B>[2J<U+000D><U+007F>";

void SeedProductOnly()
{
    SeedProduct(kRoot + "\\q", kRoot + "\\q\\jre\\bin\\javaw.exe");
    MakeLauncher(kRoot + "\\q\\jre\\bin\\javaw.exe");
}

struct HostileCase {
    const char* name;
    void (*seed)();
    std::string shown;  // what list --all and explain print of the value, in one line
};

const HostileCase kHostileCases[] = {
    {"JAVA_HOME with a forged line",
     [] {
         SeedProductOnly();
         SetEnvironment("JAVA_HOME", ("C:\\x" + kForged).c_str());
     },
     "C:\\x" + kForgedShown},
    {"JAVA_HOME with terminal escapes",
     [] {
         SeedProductOnly();
         SetEnvironment("JAVA_HOME", ("C:\\x" + kEscapes).c_str());
     },
     "C:\\x" + kEscapesShown},
    {"a per-user vendor value, which any user may write",
     [] {
         SeedProductOnly();
         SeedHomeValue(HKEY_CURRENT_USER, "SOFTWARE\\Azul Systems\\Zulu\\zulu-8",
                       "InstallationPath", "C:\\x" + kForged);
     },
     "C:\\x" + kForgedShown},
    {"a JavaHome under JavaSoft\\JDK",
     [] {
         SeedProductOnly();
         SeedRuntimeUnder(kTestJdkKey, "17", "C:\\x" + kForged);
     },
     "C:\\x" + kForgedShown},
    {"a subkey name of the list's own key",
     [] {
         SeedProductOnly();
         SeedRuntime("1.8" + kEscapes, kRoot + "\\none");
     },
     "1.8" + kEscapesShown},
    {"a PATH entry",
     [] {
         SeedProductOnly();
         SetEnvironment("PATH", (EnvironmentValue("PATH") + ";C:\\x" + kForged).c_str());
     },
     ""},
};

}  // namespace

TEST_F(CliTextTest, ControlCharactersOfValuesArePrintedVisibly)
{
    for (const HostileCase& c : kHostileCases) {
        for (const char* command : {"list --all", "explain"}) {
            SCOPED_TRACE(std::string(c.name) + ", " + command);
            const std::string out = RunReadingCommand(command, c.seed);
            for (const std::string& line : SplitLines(out)) {
                EXPECT_NE(0u, line.rfind("* 7", 0)) << "a forged line: " << line;
                for (const char ch : line) {
                    const unsigned char byte = static_cast<unsigned char>(ch);
                    // list's own columns are tabs; nothing else below 0x20, and no DEL.
                    EXPECT_TRUE((byte >= 0x20 && byte != 0x7f) || byte == '\t')
                        << "control character " << static_cast<int>(byte) << " in " << line;
                }
            }
            if (!c.shown.empty() && std::string(command) == "explain") {
                EXPECT_NE(std::string::npos, out.find(c.shown)) << out;
            }
        }
    }
}
