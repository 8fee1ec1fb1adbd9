// The command line as the user typed it: read as Unicode and split by the C runtime's own
// rules, each argument then turned into ANSI text only when the code page holds it exactly.
// The ANSI command line is converted with best fit: a letter the code page lacks becomes a
// look-alike (an a with a macron reads as "a": another path) and a fullwidth quote as a real
// one, which moves where an argument ends.
#pragma once

#include <string>
#include <vector>

enum ArgumentsRead {
    kArgumentsRead,     // every argument is in *arguments
    kArgumentNotAnsi,   // *arguments holds them all, the bad ones empty; *badIndex and *shown
                        // name the first that the ANSI code page cannot hold
    kArgumentsNoMemory, // out of memory, or the C runtime could not split the command line
};

// arguments: argv[1] onwards. badIndex: that argument's place, from 1. shown: its text with
// each character that the code page lacks written as <U+XXXX>.
ArgumentsRead ReadArguments(std::vector<std::string>* arguments, int* badIndex,
                            std::string* shown);
