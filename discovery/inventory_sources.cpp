// The sources of the inventory of Java homes: the registry rows, the home variables, the
// usual install folders and the keys the javapath copies follow. A new distribution is one row.
#include <cstddef>

#include "discovery/inventory_search.h"
#include "discovery/java_inventory.h"

namespace {

// Its MSI writes SOFTWARE\<vendor>\JDK\<version>\<jvm>\MSI with the home in "Path".
const char kMsiShape[] = "*\\*\\MSI";

const InventoryRegistryRow kRegistryRows[] = {
    {"Eclipse Temurin", "SOFTWARE\\Eclipse Adoptium\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"Eclipse Temurin", "SOFTWARE\\Eclipse Adoptium\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"Eclipse Adoptium", "SOFTWARE\\Eclipse Foundation\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"Eclipse Adoptium", "SOFTWARE\\Eclipse Foundation\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"AdoptOpenJDK", "SOFTWARE\\AdoptOpenJDK\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"AdoptOpenJDK", "SOFTWARE\\AdoptOpenJDK\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"IBM Semeru", "SOFTWARE\\Semeru\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"IBM Semeru", "SOFTWARE\\Semeru\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"Microsoft Build of OpenJDK", "SOFTWARE\\Microsoft\\JDK", kMsiShape, "Path",
     kNamedByVendorKey},
    {"Azul Zulu", "SOFTWARE\\Azul Systems\\Zulu", "*", "InstallationPath", kNamedByVendorKey},
    {"Azul Zulu", "SOFTWARE\\Azul Systems\\Zulu 32-bit", "*", "InstallationPath",
     kNamedByVendorKey},
    {"BellSoft Liberica", "SOFTWARE\\BellSoft\\Liberica", "*", "InstallationPath",
     kNamedByVendorKey},
    {"SapMachine", "SOFTWARE\\SapMachine\\JDK", "*", "JavaHome", kNamedByVendorKey},
    {"IBM", "SOFTWARE\\IBM\\Java Runtime Environment", "*", "JavaHome", kNamedByVendorKey},
    {"IBM", "SOFTWARE\\IBM\\Java2 Runtime Environment", "*", "JavaHome", kNamedByVendorKey},
    {"IBM", "SOFTWARE\\IBM\\Java Development Kit", "*", "JavaHome", kNamedByVendorKey},
    // Oracle's, and what Amazon Corretto and Red Hat register.
    {"JavaSoft", "SOFTWARE\\JavaSoft\\Java Runtime Environment", "*", "JavaHome", kNamedByListKey},
    {"JavaSoft", "SOFTWARE\\JavaSoft\\JRE", "*", "JavaHome", kNamedByJavaSoftKey},
    {"JavaSoft", "SOFTWARE\\JavaSoft\\JDK", "*", "JavaHome", kNamedByJavaSoftKey},
};

// The homes that environment variables name.
const char* const kHomeVariables[] = {"JAVA_HOME", "JDK_HOME"};

// The usual install folders: ProgramFiles is the program's own kind's folder,
// ProgramFiles(x86) and ProgramW6432 the two of a 64-bit Windows.
const InventoryFolderRow kFolderRows[] = {
    {"ProgramFiles", "Java", ""},
    {"ProgramFiles", "Eclipse Adoptium", ""},
    {"ProgramFiles", "Eclipse Foundation", ""},
    {"ProgramFiles", "AdoptOpenJDK", ""},
    {"ProgramFiles", "Semeru", ""},
    {"ProgramFiles", "Zulu", ""},
    {"ProgramFiles", "Amazon Corretto", ""},
    {"ProgramFiles", "Microsoft", "jdk-"},
    {"ProgramFiles", "BellSoft", ""},
    {"ProgramFiles", "SapMachine", ""},
    {"ProgramFiles(x86)", "Java", ""},
    {"ProgramFiles(x86)", "Eclipse Adoptium", ""},
    {"ProgramFiles(x86)", "Zulu", ""},
    {"ProgramFiles(x86)", "Amazon Corretto", ""},
    {"ProgramFiles(x86)", "BellSoft", ""},
    {"ProgramW6432", "Java", ""},
    {"ProgramW6432", "Eclipse Adoptium", ""},
    {"ProgramW6432", "Eclipse Foundation", ""},
    {"ProgramW6432", "AdoptOpenJDK", ""},
    {"ProgramW6432", "Semeru", ""},
    {"ProgramW6432", "Zulu", ""},
    {"ProgramW6432", "Amazon Corretto", ""},
    {"ProgramW6432", "Microsoft", "jdk-"},
    {"ProgramW6432", "BellSoft", ""},
    {"ProgramW6432", "SapMachine", ""},
    {"LOCALAPPDATA", "Programs\\Eclipse Adoptium", ""},
};

// The keys whose "CurrentVersion" the javapath copies follow, in the order they are asked:
// Java 8 and earlier's, and Java 9 and later's.
const char* const kCurrentVersionKeysUpTo8[] = {"SOFTWARE\\JavaSoft\\Java Runtime Environment"};
const char* const kCurrentVersionKeysFrom9[] = {"SOFTWARE\\JavaSoft\\JRE",
                                                "SOFTWARE\\JavaSoft\\JDK"};

}  // namespace

const InventoryRegistryRow* InventoryRegistryRows(size_t* count)
{
    *count = sizeof(kRegistryRows) / sizeof(kRegistryRows[0]);
    return kRegistryRows;
}

const InventoryFolderRow* InventoryFolderRows(size_t* count)
{
    *count = sizeof(kFolderRows) / sizeof(kFolderRows[0]);
    return kFolderRows;
}

const char* const* InventoryHomeVariables(size_t* count)
{
    *count = sizeof(kHomeVariables) / sizeof(kHomeVariables[0]);
    return kHomeVariables;
}

const char* const* InventoryCurrentVersionKeys(bool upTo8, size_t* count)
{
    if (upTo8) {
        *count = sizeof(kCurrentVersionKeysUpTo8) / sizeof(kCurrentVersionKeysUpTo8[0]);
        return kCurrentVersionKeysUpTo8;
    }
    *count = sizeof(kCurrentVersionKeysFrom9) / sizeof(kCurrentVersionKeysFrom9[0]);
    return kCurrentVersionKeysFrom9;
}
