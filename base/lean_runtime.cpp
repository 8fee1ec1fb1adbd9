// The pieces of libstdc++ that JreSelect.exe and JreSelectCli.exe take from here instead:
// the terminate handler and the helpers that the standard containers call to throw.
// libstdc++'s own terminate handler prints the demangled type of the exception, which links
// its demangler and mingw's printf (about 70 KB); its helpers build std::length_error and
// its kin around a reference-counted string, which links that whole second std::string
// (about 80 KB). The programs catch only std::bad_alloc, which stays a real exception. Any
// other exception would reach std::terminate, and libstdc++'s handler ends in abort(), so
// ending in abort() at once changes nothing but the text on stderr. If a new call needs a
// helper that is not here, libstdc++'s whole set comes back and the link fails on the
// duplicates: add it here.
#include <cstdlib>
#include <new>

#if defined(__GLIBCXX__)

#include <bits/functexcept.h>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

// Out of memory: EnumRegSubkeys catches it and ends its list there.
void __throw_bad_alloc()
{
    throw std::bad_alloc();
}

// More elements than max_size(), or a string from a null pointer.
void __throw_length_error(const char*)
{
    std::abort();
}

// A container asked for more elements than it can count (the inventory's hash tables).
void __throw_bad_array_new_length()
{
    std::abort();
}

void __throw_logic_error(const char*)
{
    std::abort();
}

void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}

}  // namespace std

#endif
