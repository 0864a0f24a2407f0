#pragma once

#include "platform/RuntimeError.h"

namespace fs
{

// File errors with the run-time numbers the register's handlers branch on.
enum FsErrorNumber {
    ErrInvalidArgument = 5,
    ErrFileNotFound = 53,
    ErrFileExists = 58,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

RuntimeError FsError(int number);

} // namespace fs
