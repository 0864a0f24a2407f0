#pragma once

namespace mervask
{
inline constexpr const char *ProgramVersion = "1.0.0";
}
