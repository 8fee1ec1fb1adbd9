// The inventory's environment reader: the homes that JAVA_HOME and JDK_HOME name.
#include <cstring>
#include <string>

#include "base/environment_text.h"
#include "discovery/inventory_search.h"

// The variable's value, of any length, or an empty text when it is not set or the ANSI code
// page cannot hold it (*notAnsi then, when asked).
std::string ReadVariable(Search* search, const char* name, bool* notAnsi)
{
    std::string value;
    const VariableRead read = ReadVariableText(name, &value);
    if (read == kVariableNoMemory)
        search->inventory->outOfMemory = true;
    if (notAnsi != nullptr)
        *notAnsi = read == kVariableNotAnsi;
    return value;
}

void SearchVariables(Search* search)
{
    size_t count = 0;
    const char* const* names = InventoryHomeVariables(&count);
    for (size_t v = 0; v < count; ++v) {
        const char* name = names[v];
        bool notAnsi = false;
        const std::string value = ReadVariable(search, name, &notAnsi);
        InventorySource source = NewSource(kNamedByEnvironment);
        strcpy(source.where, name);
        if (notAnsi) {
            NameWithoutHome(search, source, kReasonNotInCodePage);
            continue;
        }
        if (value.empty())
            continue;
        const char* start = value.c_str();
        const size_t length = TrimNaming(&start, value.size());
        NameHome(search, start, length, source, nullptr, "", "");
    }
}
