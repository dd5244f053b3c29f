#include "platform/os/SystemError.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"

#include <cerrno>
#include <cstring>

namespace tarnwick::os {

std::string SysErrorMessage(int errorCode)
{
    switch (errorCode) {
    case ENOENT:
        return "The system cannot find the file specified";
    case ENOTDIR:
        return "The system cannot find the path specified";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Access is denied";
    case EEXIST:
        return "The file exists";
    case ENOTEMPTY:
        return "The directory is not empty";
    case EISDIR:
        return "The file is a directory";
    case ENOSPC:
        return "There is not enough space on the disk";
    case EAGAIN:
    case EBUSY:
        return "The process cannot access the file because it is being used by another process";
    case ETIMEDOUT:
        return "This operation returned because the timeout period expired";
    case ENAMETOOLONG:
        return "The filename or extension is too long";
    default:
        break;
    }
    const char* text = strerrordesc_np(errorCode);
    return text ? std::string(text) : "System error " + IntToStr(errorCode);
}

void RaiseLastOSError(std::string_view what)
{
    throw EOSError(std::string(what) + ": " + SysErrorMessage(errno));
}

} // namespace tarnwick::os
