// What the command-line companion does differently on Linux and on Windows: how it receives
// its arguments, how its output reaches a file or a console, and where the dictionary
// installed with it lies. Everything else is the same code on both.
//
// The output is the same bytes on both systems: UTF-8 with LF line ends. A Russian Windows
// console reads bytes in code page 866 and a stream in text mode would turn LF into CR LF (and
// stdin would end at a 0x1A byte), so on Windows the three standard streams are binary and a
// console's output code page is switched to UTF-8 for the run. Redirected to a file, the output is
// the UTF-8 text a Linux run writes.
#pragma once
#include <string>
#include <vector>

// The program's arguments as UTF-8. On Windows they are read from the wide command line, so
// Devanagari and Cyrillic arrive whatever the system's ANSI code page is.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Sets up stdin, stdout and the console for UTF-8 bytes as described above (nothing to do on
// Linux). A console's earlier code page is given back when the program exits.
void prepareStandardStreams();

// The dictionary installed with vartolik-cli: PREFIX/share/vartolik/dictiona.dat for
// PREFIX/bin/vartolik-cli on Linux, dictiona.dat beside vartolik-cli.exe on Windows (the
// program's folder holds everything there). Empty when the program's own path is unknown.
std::string installedDictionaryPath();
