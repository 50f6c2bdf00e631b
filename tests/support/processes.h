// Starting the programs under test as a person would from a shell, each in
// a folder of its own, watching what they write and ending them.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// A program started in a folder of its own, its standard output and its
// standard error each going to a file there.
struct ProgramRun {
    pid_t pid = -1;
    std::string outputPath;
    std::string errorPath;
};

// The emulator that runs programs of another machine than the build
// machine: at first the build's own (qemu-aarch64 in the arm64 build, whose
// tests run under it too), empty in a native build. The kernel here runs no
// foreign program by itself (no binfmt handler is registered), so
// startProgram does what such a handler would: a program that the kernel
// cannot execute is started again through the emulator, and a shell script
// (a launcher) runs in bash with its `exec` going through the emulator.
extern std::string programEmulator;

// Starts the program in the folder, with `arguments` after its name on its
// command line. Each `environment` entry "NAME=value" sets a variable for
// it, and a bare "NAME" removes one it would otherwise inherit. What it
// writes goes into files in `outputFolder`, the folder it starts in when
// that is empty.
ProgramRun startProgram(const std::string& path, const std::string& workDir,
                        const std::vector<std::string>& arguments = {},
                        const std::vector<std::string>& environment = {}, const std::string& outputFolder = {});

// Waits for the program to end; true with its exit status (or 128 + signal)
// if it did within the timeout.
bool waitForExit(ProgramRun& run, std::chrono::milliseconds timeout, int& status);

// The program that a process runs: its executable, or, for a process of
// the emulator, the program the emulator runs.
std::string programOf(pid_t pid);

// Ends the program if it still runs.
void stopProgram(ProgramRun& run);

// Everything the program has written to standard output so far.
std::string outputOf(const ProgramRun& run);

// Everything the program has written to standard error so far.
std::string errorsOf(const ProgramRun& run);

// Starts the program with GLUT's -display option naming a display that does
// not exist, and checks that it ends at once with a non-zero status, GLUT's
// message on standard error and nothing on standard output.
void expectEndsAtOnceWithoutDisplay(const std::string& path, const std::string& workDir);
