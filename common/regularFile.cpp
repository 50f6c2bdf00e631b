// Opening a file that both programs read: a texture or picture file.
#include "common/regularFile.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

std::FILE* openRegularFile(const char* name)
{
#ifdef _WIN32
    return std::fopen(name, "rb");
#else
    const int fd = open(name, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    // A regular file is then read the usual, blocking way.
    struct stat status;
    std::FILE* file = nullptr;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        file = fdopen(fd, "rb");
    if (file == nullptr)
        close(fd);
    return file;
#endif
}
