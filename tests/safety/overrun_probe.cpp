// Overruns a fixed buffer on purpose, built with the program's flags and its stack guard:
// "copy" through a checked strcpy, "smash" past a stack buffer. Either must stop the
// process before it prints "survived". "guard" prints the stack guard's value.
#include <windows.h>

#include <cstdio>
#include <cstring>

extern "C" void* __stack_chk_guard;

namespace {

__attribute__((noinline)) void CopyInto16(const char* text)
{
    char buffer[16];
    strcpy(buffer, text);
    printf("%s\n", buffer);
}

__attribute__((noinline)) void WriteInto16(const char* text, size_t length)
{
    char buffer[16];
    memcpy(buffer, text, length);
    printf("%c\n", buffer[0]);
}

}  // namespace

int main(int argc, char** argv)
{
    char text[64];
    memset(text, 'x', sizeof(text) - 1);
    text[sizeof(text) - 1] = '\0';
    const char* mode = argc > 1 ? argv[1] : "";
    if (strcmp(mode, "guard") == 0) {
        printf("%p\n", __stack_chk_guard);
        return 0;
    }
    if (strcmp(mode, "copy") == 0)
        CopyInto16(text);
    if (strcmp(mode, "smash") == 0) {
        volatile size_t length = 40;
        WriteInto16(text, length);
    }
    printf("survived\n");
    return 0;
}
