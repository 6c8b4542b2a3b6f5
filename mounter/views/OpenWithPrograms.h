// The programs that the Open With dialog offers: every program that some registered file type
// opens with, as HKEY_CLASSES_ROOT names them.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct OpenWithProgram {
    std::string name;   // the file name without ".EXE", in capitals
    std::string path;   // the command up to and including ".EXE", in capitals
};

// The program of a type's open command: double quotes removed and upper-cased, up to and including
// ".EXE". None for a command that runs through RUNDLL or names no ".EXE".
std::optional<OpenWithProgram> ProgramOfOpenCommand(const std::string& command);

// The program of every key of HKEY_CLASSES_ROOT whose default value names a type with an open
// command, in the order of the keys; a program may come more than once.
std::vector<OpenWithProgram> RegisteredOpenPrograms();
