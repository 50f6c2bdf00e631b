// OpenGL 1.1 and no later: the programs call only its functions, whatever
// the implementation they run on offers.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// The names of the functions of OpenGL 1.1.
const std::set<std::string>& gl11Functions();

// The GL functions (not GLU's, GLUT's or GLX's) among a Linux program's
// undefined dynamic symbols, from nm -D.
std::vector<std::string> glImportsOf(const std::string& program);

// The functions that a Windows program imports from a DLL, from the output
// of objdump -p of the program.
std::vector<std::string> dllImportsOf(const std::string& objdumpOutput, const std::string& dll);

// Success if there are imports and each is an OpenGL 1.1 function;
// otherwise names the others.
::testing::AssertionResult onlyGl11(const std::vector<std::string>& imports);
