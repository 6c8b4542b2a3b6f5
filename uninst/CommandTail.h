// The part of a command line after the program's own name: the command the helper runs.
#pragma once

namespace uninst {

// Skips the program name (up to its closing quote when it is quoted, else up to the first blank
// or tab) and the blanks and tabs after it. Never null; empty when nothing follows.
const char* CommandTail(const char* commandLine);

}  // namespace uninst
