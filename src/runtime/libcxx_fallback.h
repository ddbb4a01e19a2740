// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <charconv>
#include <type_traits>
#include <version>

// Emscripten 3.1.6's C++ library (LLVM 14's libc++) lacks a few standard calls the
// project makes: std::bit_cast and the floating-point std::from_chars and
// std::to_chars. Its WebAssembly build gets them here, the conversions made from the
// C library's, which are correctly rounded and there always run in the C locale. The
// build system includes this header in every source of that build alone; a library
// that has the standard calls keeps them.
#if defined(__EMSCRIPTEN__) && !defined(__cpp_lib_bit_cast)
namespace std {

template <class To, class From>
    requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> && is_trivially_copyable_v<From>)
constexpr To bit_cast(const From &from) noexcept
{
    return __builtin_bit_cast(To, from);
}

} // namespace std
#endif

#if defined(__EMSCRIPTEN__) && !defined(__cpp_lib_to_chars)
namespace std {

from_chars_result from_chars(const char *first, const char *last, double &value,
                             chars_format format = chars_format::general);
// The shortest text that reads back as the same double, fixed or scientific
// whichever is shorter.
to_chars_result to_chars(char *first, char *last, double value);
// The shortest text in the given notation that reads back as the same double.
to_chars_result to_chars(char *first, char *last, double value, chars_format format);
to_chars_result to_chars(char *first, char *last, double value, chars_format format, int precision);

} // namespace std
#endif
