#include "platform/os/FileHandle.h"

#include <unistd.h>

namespace tarnwick::os {

bool TFileHandle::Close()
{
    if (fd_ < 0) return true;
    int fd = std::exchange(fd_, -1);
    return close(fd) == 0;
}

} // namespace tarnwick::os
