// The machine of the WOW64 cases, natively run (wow64) and emulated (wow64emu): two
// registrations, one per registry view, the list items the 32-bit programs show of them, and
// the keys that the programs may read or write as the 64-bit view holds them.
#pragma once

#include <string>

#include "support/machine.h"

const char kJre142Home[] = "C:\\jt\\jre142";
const char kJre142Starter[] = "C:\\jt\\jre142\\bin\\javaw.exe";
const char kJre160Home[] = "C:\\jt\\jre160";
const char kJre160Starter[] = "C:\\jt\\jre160\\bin\\javaw.exe";

const char kBundledItem[] = "Bundled Java Runtime Environment";
const char kJre142Item[] = "Sun Java Runtime Environment (1.4.2)";
const char kMicrosoftItem[] = "Microsoft Java Runtime Environment (5.0.0.381)";

inline std::string DumpView64()
{
    return DumpKeyTree(kTestVelmorKey, kView64) + DumpKeyTree("SOFTWARE\\JavaSoft", kView64) +
           DumpKeyTree(kTestMicrosoftVmKey, kView64);
}
