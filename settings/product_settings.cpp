// The product's settings key and the start-up read of its two values.
#include "settings/product_settings.h"

#include <cstring>

#include "settings/registry.h"

const char kProductKey[] = "SOFTWARE\\Velmor\\Quillfern";
const char kHomeValue[] = "home";
const char kStarterValue[] = "starter";
const char kClassesValue[] = "classes";
const char kClassArchive[] = "start.jar";

char g_homeDir[kTextBufferSize];
char g_starter[kTextBufferSize];
bool g_homeDirTooLong = false;
bool g_starterTooLong = false;

namespace {

// Reads one value into a 260-byte buffer; a text that does not fit leaves the buffer empty
// and sets tooLong. False only when the value cannot be read at all.
bool ReadSetting(const char* valueName, char* out, bool* tooLong)
{
    char* text = ReadRegString(kProductKey, valueName);
    if (text == nullptr)
        return false;
    const size_t length = strlen(text);
    *tooLong = length >= kTextBufferSize;
    if (*tooLong) {
        out[0] = '\0';
    } else {
        memcpy(out, text, length + 1);
    }
    FreeRegString(text);
    return true;
}

}  // namespace

bool LoadInstallSettings()
{
    if (!ReadSetting(kHomeValue, g_homeDir, &g_homeDirTooLong))
        return false;
    return ReadSetting(kStarterValue, g_starter, &g_starterTooLong);
}
