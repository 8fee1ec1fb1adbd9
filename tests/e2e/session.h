// End-to-end sessions: JreSelect.exe started as a process of its own on the machine a case
// seeds (support/machine.h), and one table-driven session that operates its dialog through
// the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

const DWORD kWaitMs = 10000;  // reached only when something is wrong

extern const char kApplyFailedText[];  // "Unable to apply changes!"
extern const char kCannotLocateText[];  // "Cannot locate Quillfern software!"
extern const char kInitUiFailedText[];  // "Unable to initialize UI!"

// The programs that ProgramRun starts: the shipped one, and a test build whose dialog
// template has no list box.
extern const char kProgramPath[];
extern const char kProgramWithoutListPath[];

// The registry that the program may read, as text: equal snapshots mean nothing changed.
struct RegistrySnapshot {
    std::string product;  // SOFTWARE\Velmor and below
    std::string javaSoft;
    std::string microsoftVm;
};
RegistrySnapshot TakeSnapshot();

// Every line of a key dump but those of the named value.
std::string WithoutValue(const std::string& dump, const char* name);
// The dump's line for a value, "name(type)=bytes", or empty when there is none.
std::string ValueLine(const std::string& dump, const char* name);
// The line that a REG_SZ value of this text gives in a dump.
std::string TextValueLine(const char* name, const std::string& text);

// JreSelect.exe from the build, started with CreateProcessA; killed if still running when
// the object goes away.
class ProgramRun {
public:
    ProgramRun() = default;
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Start(const char* program = kProgramPath);
    DWORD pid() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    // The exit code; false, with the program killed, when it does not end in time.
    bool Finish(DWORD timeoutMs, DWORD* exitCode);

private:
    PROCESS_INFORMATION info_ = {};
};

enum Ending { kEndOk, kEndCancel, kEndEscape, kEndCloseBox };

// One session: a machine state, what the dialog must show, what the user does, and what
// must follow.
struct SessionCase {
    const char* name;
    void (*seed)();
    std::vector<std::string> items;  // the list, in order
    int preselected;                 // -1: nothing selected
    int choose;                      // item clicked before the ending; -1: none
    Ending ending;
    const char* message;  // the message box the ending brings, or null
    const char* written;  // "starter" written with "classes" = "start.jar"; null: nothing
};

// Runs the case on a cleared machine and checks everything it names: list, selection,
// messages, exit code 0, and that the registry changed only as `written` says. program is
// JreSelect.exe, the shipped one unless named.
void RunSession(const SessionCase& c, const char* program = kProgramPath);

// A start-up that must end before the dialog shows: on a cleared machine seeded by `seed`,
// exactly `messages` appear, in order, then the program ends with exit code 0 and the
// registry is unchanged.
void RunRefusedStart(const char* name, void (*seed)(), const std::vector<std::string>& messages,
                     const char* program = kProgramPath);
