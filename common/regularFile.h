// Opening a file that both programs read: a texture or picture file.
#pragma once

#include <cstdio>

// Opens NAME for reading if it is a regular file, named directly or through
// symbolic links; anything else (a folder, a device, a named pipe) gives no
// file. A named pipe with no writer would hold a plain open() for ever, so
// the open never waits and the file is looked at before reading. Windows has
// no such files in a folder and opens them plainly.
std::FILE* openRegularFile(const char* name);
