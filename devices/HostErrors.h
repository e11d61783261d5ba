#pragma once
// Failures of the host's file system, as the interpreter's failure kinds.

#include "values/HostFailure.h"

namespace korvelin {

// The failure kind for a POSIX errno value.
HostFailureKind failureOfErrno(int error);
[[noreturn]] void failWithErrno(int error);

} // namespace korvelin
