// Stack-protector support for the GCC (mingw-w64) build, in place of libssp's own.
// libssp seeds its guard through CryptAcquireContext and CryptGenRandom, which load the
// cryptographic providers at every start: about a tenth of the program's start-up time.
// RtlGenRandom gives the same randomness without them. As with libssp, an overrun that
// the checks detect ends the process at once.
#if defined(__MINGW32__)

#include <windows.h>

extern "C" {

// RtlGenRandom, exported by advapi32 under this name.
BOOLEAN WINAPI SystemFunction036(PVOID buffer, ULONG length);

void* __stack_chk_guard = nullptr;

// Runs before any code of the program; the start-up code itself is not protected, and
// neither is this function, whose own check would see the guard change under it.
__attribute__((constructor, no_stack_protector)) static void SetUpStackGuard()
{
    void* guard = nullptr;
    if (!SystemFunction036(&guard, sizeof(guard)) || guard == nullptr) {
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
