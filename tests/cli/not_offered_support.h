// Seeding and reading for the tests of the runtimes that are on the machine but not offered:
// registrations under SOFTWARE\JavaSoft\JRE and \JDK and in the registry's other view.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

const char kTestJre9Key[] = "SOFTWARE\\JavaSoft\\JRE";
const char kTestJdkKey[] = "SOFTWARE\\JavaSoft\\JDK";

// The view that the program under test does not see by itself, in the configurations that
// have one: the 64-bit view for this 32-bit test program under WOW64 (as for the shipped
// program), the 32-bit view for the 64-bit build. kOtherBits names it as the program does.
const REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
inline const char* const kOtherBits = sizeof(void*) == 8 ? "32" : "64";

// Subkey `name` of key in view, with a "JavaHome" of that type holding `size` bytes of data
// (no NUL added). The subkey is made by its name under an open key, so that names whose full
// path is long can be made.
void RegisterRawIn(REGSAM view, const char* key, const std::string& name, DWORD type,
                   const void* data, DWORD size);
// The same with a text and its terminating NUL.
void RegisterIn(REGSAM view, const char* key, const std::string& name,
                const std::string& javaHome, DWORD type = REG_SZ);

// SOFTWARE\JavaSoft and SOFTWARE\Velmor of the view as text: equal texts, nothing written.
std::string DumpJavaSoftAndProduct(REGSAM view);

// The part of explain's output from its line "On this machine but not offered:" on; empty
// when there is no such line.
std::string NotOfferedSection(const std::string& explainOutput);

// Runs `list`, `list --all` and `explain` on the machine as it is, and checks what each
// must show: `list` byte for byte as `listBefore` (the output before the runtimes that are
// not offered were seeded) and as the dialog's list box in this process; `list --all` as
// `list` followed by exactly `extraLines`; explain's last section as `section` (its lines
// after the heading, or "  none"). Nothing may be written in either view.
void ExpectListAndExplain(const std::string& listBefore, const std::vector<std::string>& extraLines,
                          const std::vector<std::string>& section);
