// Stack-protector support for the GCC (mingw-w64) build, in place of libssp's own.
// libssp seeds its guard through CryptAcquireContext and CryptGenRandom, which load the
// cryptographic providers at every start: about a tenth of the program's start-up time.
// advapi32's RtlGenRandom is no better here: from Windows 7 on it is forwarded to
// cryptbase.dll, which is no KnownDLL, and the loader resolves that forward before
// RestrictDllSearch runs, so a cryptbase.dll beside the program would be loaded. The guard
// is seeded as the Visual C++ runtime seeds its security cookie, from kernel32 alone. As
// with libssp, an overrun that the checks detect ends the process at once.
#if defined(__MINGW32__)

#include <windows.h>

#include <cstdint>

extern "C" {

void* __stack_chk_guard = nullptr;

// Runs before any code of the program; the start-up code itself is not protected, and
// neither is this function, whose own check would see the guard change under it.
__attribute__((constructor, no_stack_protector)) static void SetUpStackGuard()
{
    // What differs from one process, start and machine to the next: the time to 100 ns, the
    // process and thread ids, the tick count, the performance counter, and where the stack
    // lies (randomised with ASLR).
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const ULONGLONG count = static_cast<ULONGLONG>(counter.QuadPart);
    ULONGLONG mixed = static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    mixed ^= count << 32 ^ count;
    mixed ^= GetCurrentProcessId();
    mixed ^= static_cast<ULONGLONG>(GetCurrentThreadId()) << 16;
    mixed ^= GetTickCount();
    mixed ^= reinterpret_cast<uintptr_t>(&now);
    // A 32-bit guard keeps both halves.
    mixed ^= sizeof(void*) < sizeof(mixed) ? mixed >> 32 : 0;
    void* guard = reinterpret_cast<void*>(static_cast<uintptr_t>(mixed));
    if (guard == nullptr) {
        // The fixed pattern libssp falls back on: a NUL, a newline and 0xff stop most
        // string overruns by themselves.
        unsigned char* bytes = reinterpret_cast<unsigned char*>(&guard);
        bytes[0] = 0;
        bytes[1] = 0;
        bytes[2] = '\n';
        bytes[3] = 0xff;
    }
    __stack_chk_guard = guard;
}

__attribute__((noreturn)) void __stack_chk_fail()
{
    __builtin_trap();
}

__attribute__((noreturn)) void __stack_chk_fail_local()
{
    __builtin_trap();
}

// Called by the _FORTIFY_SOURCE checked copies (__strcpy_chk and the like).
__attribute__((noreturn)) void __chk_fail()
{
    __builtin_trap();
}

}  // extern "C"

#endif
