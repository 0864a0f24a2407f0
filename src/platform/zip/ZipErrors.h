#pragma once

#include "platform/RuntimeError.h"

namespace zipw
{

// The run-time numbers of the archive writer's failures.
enum ZipErrorNumber {
    ErrInvalidArgument = 5,
    ErrOutOfMemory = 7,
    ErrFileNotFound = 53,
    ErrFileExists = 58,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

RuntimeError ZipError(int number);

} // namespace zipw
