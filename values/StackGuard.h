#pragma once
// How much of the current thread's stack is left. Recursion the program
// controls (FN calling FN, parentheses inside parentheses) is refused while
// enough stack remains to report the error, whatever size the stack has:
// the main thread's 8 MB, a 2 MB worker thread, a sanitizer build's
// larger frames.

#include "values/HostFailure.h"

#include <cstddef>
#include <cstdint>

namespace korvelin {

// Stack kept free below the deepest recursion a program may start; far
// more than the frames between two checks need, even in sanitizer builds.
inline constexpr std::size_t StackReserve = 256 * 1024;

// The lowest address the current thread's stack may grow to before the
// reserve, or 0 when the host does not tell where its stack ends.
std::uintptr_t stackFloor();

// Fails with the overflow error (21) once the stack has reached the reserve.
inline void checkStackLeft() {
    static thread_local const std::uintptr_t floor = stackFloor();
    if (reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < floor) [[unlikely]]
        failHost(HostFailureKind::Other);
}

} // namespace korvelin
