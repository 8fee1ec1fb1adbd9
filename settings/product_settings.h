// The product's own settings key: where it is installed, which launcher it runs with,
// and the two values this program writes back on OK.
#pragma once

#include "base/text_buffer.h"

extern const char kProductKey[];    // "SOFTWARE\Velmor\Quillfern" under HKEY_LOCAL_MACHINE
extern const char kHomeValue[];     // "home": read only
extern const char kStarterValue[];  // "starter": read, and written on OK
extern const char kClassesValue[];  // "classes": written on OK
extern const char kClassArchive[];  // "start.jar"

// Copies of "home" and "starter", written by LoadInstallSettings alone; everything else
// only reads them.
// A value too long for its buffer is never kept cut short: the buffer stays empty and the
// matching flag is set, so that no search or comparison uses a path that names another place.
extern char g_homeDir[kTextBufferSize];
extern char g_starter[kTextBufferSize];
extern bool g_homeDirTooLong;
extern bool g_starterTooLong;

// True when both "home" and "starter" could be read, whether or not they fit.
bool LoadInstallSettings();
