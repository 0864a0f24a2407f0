#pragma once

#include "platform/RuntimeError.h"

namespace fs
{

// File errors with the run-time numbers the register's handlers branch on.
enum FsErrorNumber {
    ErrInvalidArgument = rterr::InvalidArgument,
    ErrFileNotFound = rterr::FileNotFound,
    ErrFileExists = rterr::FileExists,
    ErrPathFileAccess = rterr::PathFileAccess,
    ErrPathNotFound = rterr::PathNotFound,
};

RuntimeError FsError(int number);

} // namespace fs
