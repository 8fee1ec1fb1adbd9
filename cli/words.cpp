// One row per value: a new reason, outcome or source is one line here, for both forms.
#include "cli/words.h"

namespace {

template <typename Value>
struct Row {
    Value value;
    Words words;
};

const Row<DiscoverySource> kSources[] = {
    {kSourceBundled, {"bundled", "Bundled runtime, in \"home\"\\jre\\bin:", nullptr}},
    {kSourceRegistered,
     {"registered",
      "Registered runtimes, subkeys of SOFTWARE\\JavaSoft\\Java Runtime Environment:", nullptr}},
    {kSourceMicrosoft,
     {"microsoft", "Microsoft virtual machine, key SOFTWARE\\Microsoft\\Java VM:", nullptr}},
};

const Row<DiscoveryOutcome> kOutcomes[] = {
    {kOutcomeListed, {"listed", "listed as %s: %s", nullptr}},
    {kOutcomeNotAdded,
     {"not_added", "left out: no memory for the entry, or the list box refused it", nullptr}},
    {kOutcomeHomeTooLong,
     {"home_too_long", "left out: \"home\" is longer than 259 characters, so it is not searched",
      nullptr}},
    {kOutcomeHomeDirTooLong,
     {"home_dir_too_long", "left out: \"home\" joined with jre\\bin does not fit 259 characters",
      nullptr}},
    {kOutcomeHomeLoneLeadByte,
     {"home_lone_lead_byte",
      "left out: \"home\" ends in a lone lead byte (half a double-byte character), so it is not "
      "searched",
      nullptr}},
    {kOutcomeKeyAbsent,
     {"key_absent", "none: the key is absent",
      "left out: the key is absent, so wjview.exe is not looked for"}},
    {kOutcomeNoSubkeys, {"no_subkeys", "none: the key has no subkeys", nullptr}},
    {kOutcomeNameTooLong,
     {"name_too_long", "left out: the name is %s bytes long, more than 259, so the search skips it",
      "left out: the name is longer than 259 bytes, so the search skips it"}},
    {kOutcomeKeyPathTooLong,
     {"key_path_too_long",
      "left out: the key path %s\\ and the name (%s characters) does not fit 259 characters",
      nullptr}},
    {kOutcomeNoJavaHome, {"no_java_home", "left out: no \"JavaHome\" value", nullptr}},
    {kOutcomeJavaHomeTooLong,
     {"java_home_too_long", "left out: \"JavaHome\" is %s characters long, more than 259",
      nullptr}},
    {kOutcomeJavaHomeDirTooLong,
     {"java_home_dir_too_long", "left out: \"JavaHome\" joined with bin does not fit 259 characters",
      nullptr}},
    {kOutcomeJavaHomeLoneLeadByte,
     {"java_home_lone_lead_byte",
      "left out: \"JavaHome\" ends in a lone lead byte (half a double-byte character), so no "
      "launcher is looked for",
      nullptr}},
    {kOutcomeNoLauncher,
     {"launcher_not_found", "left out: no launcher, neither javaw.exe nor jrew.exe in %s", nullptr}},
    {kOutcomeNoVersion,
     {"no_version_resource", "left out: no wjview.exe with a version resource",
      "left out: the version of wjview.exe could not be read"}},
    {kOutcomeVersionTooOld,
     {"version_below_5", "left out: %s has version %s, below 5.0.0.0", nullptr}},
};

const Row<TrialResult> kTrials[] = {
    {kTrialNotLookedAt, {"not_looked_at", "", nullptr}},
    {kTrialNoDirectory, {"no_directory", "%s: the directory could not be had, not tested", nullptr}},
    {kTrialPathTooLong,
     {"path_too_long", "%s: the path does not fit 259 characters, not tested", nullptr}},
    {kTrialNotQualified,
     {"not_fully_qualified",
      "tried %s: not tested, the path is not fully qualified (no drive letter, colon and "
      "backslash, nor \\\\server\\share), so it names no fixed place",
      nullptr}},
    {kTrialTooLongToTest,
     {"too_long_to_test", "tried %s: not tested, the path is longer than %s characters", nullptr}},
    {kTrialNoVersionFunctions,
     {"no_version_functions",
      "tried %s: not read, the version functions of version.dll in the system directory could "
      "not be loaded",
      nullptr}},
    {kTrialAbsent, {"not_found", "tried %s: not found", "tried %s: absent, or without a version resource"}},
    {kTrialFound, {"found", "", nullptr}},
};

const Row<InventoryReason> kReasons[] = {
    {kReasonTooLong,
     {"too_long", "a path of %s characters, more than 259: not looked at", nullptr}},
    {kReasonNetworkPath, {"network_path", "a network path, not looked at", nullptr}},
    {kReasonDevicePath,
     {"device_path", "a device path (\\\\?\\ or \\\\.\\), not looked at", nullptr}},
    {kReasonUnexpanded,
     {"unexpanded", "holds %%...%% references, which are not expanded: not looked at", nullptr}},
    {kReasonNotFullyQualified,
     {"not_fully_qualified",
      "not fully qualified (no drive letter, colon and backslash), so it names no fixed place: "
      "not looked at",
      nullptr}},
    {kReasonNotText, {"not_text", "the value is %s, not a text: it names no home", nullptr}},
    {kReasonNotInCodePage,
     {"not_in_code_page", "holds a character that the ANSI code page (%s) lacks: not looked at",
      nullptr}},
    {kReasonLoneLeadByte,
     {"lone_lead_byte",
      "ends in a lone lead byte (half a double-byte character): not looked at", nullptr}},
    {kReasonLauncherTooLong,
     {"launcher_too_long",
      "the home joined with bin\\javaw.exe does not fit 259 characters: not looked at", nullptr}},
    {kReasonNoLauncher,
     {"no_launcher", "no launcher, neither javaw.exe nor java.exe in %s", nullptr}},
    {kReasonLeftOutBySearch,
     {"left_out_by_search",
      "registered where the list looks, and left out by its search (see above)", nullptr}},
    {kReasonNotInBin,
     {"not_in_bin", "a launcher in a PATH folder that is no Java home's bin", nullptr}},
    {kReasonOtherView, {"other_view", "registered for %s-bit programs only", nullptr}},
    {kReasonJavaSoftKey,
     {"javasoft_key",
      "registered under %s (Java 9 and later), which this program does not read", nullptr}},
    {kReasonVendorKey,
     {"vendor_key",
      "registered only under its vendor's own key (%s), which this program does not read",
      nullptr}},
    {kReasonPerUser,
     {"per_user",
      "installed for this user only (HKEY_CURRENT_USER, %s), which this program does not read",
      nullptr}},
    {kReasonOnlyEnvironment,
     {"only_environment", "named only by %s, which this program does not read", nullptr}},
    {kReasonOnlyPath,
     {"only_path", "found only through PATH, which this program does not read", nullptr}},
    {kReasonOnlyFolder,
     {"only_folder", "found only as a folder in %s, which this program does not search",
      nullptr}},
};

// A registration's phrase: its distribution, then hive\key "value" and the view.
const char kRegistrationPhrase[] = "%s, %s";

const Row<InventorySourceKind> kSourceKinds[] = {
    {kNamedByListKey, {"list_key", kRegistrationPhrase, nullptr}},
    {kNamedByListKeyOtherView, {"list_key_other_view", kRegistrationPhrase, nullptr}},
    {kNamedByJavaSoftKey, {"javasoft_key", kRegistrationPhrase, nullptr}},
    {kNamedByVendorKey, {"vendor_key", kRegistrationPhrase, nullptr}},
    {kNamedByUserKey, {"user_key", kRegistrationPhrase, nullptr}},
    {kNamedByEnvironment, {"environment", "%s", nullptr}},
    {kNamedByPath, {"path", "PATH entry %s, %s", nullptr}},
    {kNamedByFolder, {"folder", "the folder %s", nullptr}},
};

const Row<InventoryArchitecture> kArchitectures[] = {
    {kArchX86, {"x86", "x86", nullptr}},
    {kArchX64, {"x64", "x64", nullptr}},
    {kArchArm64, {"arm64", "ARM64", nullptr}},
    {kArchUnknown, {"unknown", "architecture unknown", nullptr}},
};

const Row<InventoryVersionOrigin> kVersionOrigins[] = {
    {kVersionUnknown,
     {nullptr, "version unknown (no release file with JAVA_VERSION, no version resource)",
      nullptr}},
    {kVersionFromRelease, {"release", "version %s (release file)", nullptr}},
    {kVersionFromLauncher, {"launcher", "version %s (launcher's version resource)", nullptr}},
};

const Row<CurrentReason> kCurrentReasons[] = {
    {kCurrentEqualsLauncher,
     {"starter_equals_launcher",
      "Current: %s, %s (\"starter\" equals its launcher, A-Z case ignored)", nullptr}},
    {kCurrentStarterTooLong,
     {"starter_too_long", "Current: none (\"starter\" is longer than 259 characters)", nullptr}},
    {kCurrentMatchesNone,
     {"starter_matches_none", "Current: none (\"starter\" equals no listed launcher)", nullptr}},
};

const Row<JavapathHome> kJavapathHomes[] = {
    {kJavapathNoHome, {nullptr, "", nullptr}},
    {kJavapathHomeOffered, {"offered", ", which the list offers", nullptr}},
    {kJavapathHomeAbove, {"above", ", named above", nullptr}},
    {kJavapathHomeListKey,
     {"list_key", ", registered where the list looks, as told above", nullptr}},
    {kJavapathHomeNowhere, {"nowhere", ", which no source names as a home", nullptr}},
};

const Row<JavapathOutcome> kJavapathOutcomes[] = {
    {kJavapathNoCopyVersion,
     {"no_copy_version",
      "%s has no version resource, so which key it follows is not known: no runtime named",
      nullptr}},
    {kJavapathUnknownMachine,
     {"unknown_machine",
      "%s is version %s, of no known architecture, so which registry view it reads is not "
      "known: no runtime named",
      nullptr}},
    {kJavapathNoCurrentVersion,
     {"no_current_version", "no such key has \"CurrentVersion\": they run no runtime", nullptr}},
    {kJavapathCurrentVersionNotText,
     {"current_version_not_text",
      "%s%s \"CurrentVersion\" is no REG_SZ, the only type their launcher reads: they run no "
      "runtime",
      nullptr}},
    {kJavapathOtherVersion,
     {"other_version",
      "that is not %s, their own version, which their launcher asks for: they run no runtime",
      nullptr}},
    {kJavapathNoJavaHome,
     {"no_java_home", "that subkey has no \"JavaHome\": they run no runtime", nullptr}},
    {kJavapathJavaHomeNotText,
     {"java_home_not_text",
      "that subkey's \"JavaHome\" is no REG_SZ, the only type their launcher reads: they run no "
      "runtime",
      nullptr}},
    {kJavapathRunsHome, {"runs_home", "they run %s%s", nullptr}},
};

const Row<REGSAM> kViews[] = {
    {0, {"own", "", nullptr}},
    {KEY_WOW64_32KEY, {"32-bit", " (32-bit view)", nullptr}},
    {KEY_WOW64_64KEY, {"64-bit", " (64-bit view)", nullptr}},
};

template <typename Value, size_t count>
const Words& Find(const Row<Value> (&rows)[count], Value value)
{
    for (const Row<Value>& row : rows) {
        if (row.value == value)
            return row.words;
    }
    return rows[count - 1].words;  // a value outside the enum: the last row's words
}

template <typename Value, size_t count>
void AddAll(const Row<Value> (&rows)[count], const Words** all, size_t* at)
{
    for (const Row<Value>& row : rows)
        all[(*at)++] = &row.words;
}

const size_t kWordCount = sizeof(kSources) / sizeof(kSources[0]) +
                          sizeof(kOutcomes) / sizeof(kOutcomes[0]) +
                          sizeof(kTrials) / sizeof(kTrials[0]) +
                          sizeof(kReasons) / sizeof(kReasons[0]) +
                          sizeof(kSourceKinds) / sizeof(kSourceKinds[0]) +
                          sizeof(kArchitectures) / sizeof(kArchitectures[0]) +
                          sizeof(kVersionOrigins) / sizeof(kVersionOrigins[0]) +
                          sizeof(kCurrentReasons) / sizeof(kCurrentReasons[0]) +
                          sizeof(kJavapathHomes) / sizeof(kJavapathHomes[0]) +
                          sizeof(kJavapathOutcomes) / sizeof(kJavapathOutcomes[0]) +
                          sizeof(kViews) / sizeof(kViews[0]);

}  // namespace

const Words& WordsOf(DiscoverySource source) { return Find(kSources, source); }
const Words& WordsOf(DiscoveryOutcome outcome) { return Find(kOutcomes, outcome); }
const Words& WordsOf(TrialResult result) { return Find(kTrials, result); }
const Words& WordsOf(InventoryReason reason) { return Find(kReasons, reason); }
const Words& WordsOf(InventorySourceKind kind) { return Find(kSourceKinds, kind); }
const Words& WordsOf(InventoryArchitecture architecture)
{
    return Find(kArchitectures, architecture);
}
const Words& WordsOf(InventoryVersionOrigin origin) { return Find(kVersionOrigins, origin); }
const Words& WordsOf(CurrentReason reason) { return Find(kCurrentReasons, reason); }
const Words& WordsOf(JavapathHome home) { return Find(kJavapathHomes, home); }
const Words& WordsOf(JavapathOutcome outcome) { return Find(kJavapathOutcomes, outcome); }
const Words& ViewWords(REGSAM view) { return Find(kViews, view); }

const Words* const* AllWords(size_t* count)
{
    static const Words* all[kWordCount];
    size_t at = 0;
    AddAll(kSources, all, &at);
    AddAll(kOutcomes, all, &at);
    AddAll(kTrials, all, &at);
    AddAll(kReasons, all, &at);
    AddAll(kSourceKinds, all, &at);
    AddAll(kArchitectures, all, &at);
    AddAll(kVersionOrigins, all, &at);
    AddAll(kCurrentReasons, all, &at);
    AddAll(kJavapathHomes, all, &at);
    AddAll(kJavapathOutcomes, all, &at);
    AddAll(kViews, all, &at);
    *count = at;
    return all;
}
