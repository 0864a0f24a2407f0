#pragma once

#include "platform/RuntimeError.h"

namespace zipw
{

// The run-time numbers of the archive writer's failures.
enum ZipErrorNumber {
    ErrInvalidArgument = rterr::InvalidArgument,
    ErrOutOfMemory = rterr::OutOfMemory,
    ErrFileNotFound = rterr::FileNotFound,
    ErrFileExists = rterr::FileExists,
    ErrPathFileAccess = rterr::PathFileAccess,
    ErrPathNotFound = rterr::PathNotFound,
};

RuntimeError ZipError(int number);

} // namespace zipw
