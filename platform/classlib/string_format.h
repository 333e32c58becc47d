// printf-style formatting into a string object, the way every trace line and
// message of the modules is built.
#pragma once

#include <cstdarg>
#include <string>

#if defined(__MINGW32__)
#define QX_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define QX_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

namespace qx {

std::string FormatString(const char* format, ...) QX_PRINTF_FORMAT(1, 2);
std::string FormatStringV(const char* format, va_list args);

}  // namespace qx
