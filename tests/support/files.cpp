// Files for the tests.
#include "tests/support/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "tests/support/bmpWriter.h"

ScratchFolder::ScratchFolder()
{
    previous = std::filesystem::current_path().string();
    std::string pattern = (std::filesystem::temp_directory_path() / "okel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot make a scratch folder";
    path = pattern;
    std::filesystem::current_path(path);
}

ScratchFolder::~ScratchFolder()
{
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        ADD_FAILURE() << "cannot write " << name;
    return name;
}

void makeNamedPipe(const std::string& name, bool held)
{
    if (mkfifo(name.c_str(), 0600) != 0)
        ADD_FAILURE() << "cannot make the named pipe " << name;
    // Opening for reading and writing at once never waits; the descriptor
    // is never closed.
    else if (held && open(name.c_str(), O_RDWR | O_CLOEXEC) < 0)
        ADD_FAILURE() << "cannot hold the named pipe " << name << " open";
}

std::vector<unsigned char> solidRaw(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        bytes[i] = r;
        bytes[i + 1] = g;
        bytes[i + 2] = b;
    }
    return bytes;
}

void writeBitmap(const std::string& name, int width, int height, const std::vector<Rgb>& pixels)
{
    writeFile(name, bmp24BitFile(width, height, pixels));
}

void writeSolidBitmap(const std::string& name, int width, int height, Rgb colour)
{
    writeBitmap(name, width, height, std::vector<Rgb>(static_cast<size_t>(width) * height, colour));
}
