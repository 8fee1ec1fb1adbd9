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

// SOFTWARE\JavaSoft and SOFTWARE\Velmor of the view as text: equal texts, nothing written.
std::string DumpJavaSoftAndProduct(REGSAM view);

// The part of explain's output from its line "On this machine but not offered:" on; empty
// when there is no such line.
std::string NotOfferedSection(const std::string& explainOutput);

// A folder whose name fits the four bytes of a REG_DWORD.
const char kDwordFolder[] = "C:\\r";

// The runtimes that the list offers in every case, below C:\jt\cli: the bundled one in
// q\jre\bin, current, and "1.8" of the search's own key in j8\bin.
void SeedOffered();
// Removes what the cases make: ClearMachine, the other view's keys, kDwordFolder.
void ClearNotOffered();

// One machine: what list --all adds after the offered runtimes, and the lines of explain's
// last section after its heading (or "  none").
struct NotOfferedCase {
    const char* name;
    void (*seed)();  // after SeedOffered
    std::vector<std::string> listAllExtra;
    std::vector<std::string> section;
};

// Runs the case on a cleared machine with SeedOffered's runtimes and checks list,
// list --all and explain: `list` byte for byte as before the case's seed and as the dialog's
// list box in this process, `list --all` as `list` followed by exactly listAllExtra,
// explain's last section as `section`; nothing written in either view.
void RunNotOfferedCase(const NotOfferedCase& c);

// Registers `count` subkeys of key in view, named "1.0000", "1.0001"..., all naming the home
// C:\jt\cli\j17 (the x64 launcher fixture in its bin): explain tells that home once, with
// every subkey among its sources in the registry's order, list --all gives it one line, and
// list stays as it was. viewText is how explain names the view (" (64-bit view)" or "").
void ExpectManyNamings(int count, REGSAM view, const char* key, const std::string& viewText);
