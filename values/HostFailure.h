#pragma once
// Failures of value and host operations. They are thrown from deep inside an
// operation (arithmetic, conversions, file access) and caught once per
// statement, where they become interpreter error numbers.

#include <exception>

namespace korvelin {

enum class HostFailureKind {
    InvalidArgument, // invalid procedure call or argument
    TypeMismatch,
    FileNotFound, // also: path not found
    FileAlreadyOpen,
    DiskFull,
    BadFileName,       // also: path or file access error
    DeviceUnavailable, // also: disk not ready
    PermissionDenied,
    RenameAcrossDrives,
    Other, // overflow, division by zero, subscript, bad mode, past end, out of memory ...
};

class HostFailure : public std::exception {
  public:
    explicit HostFailure(HostFailureKind kind) noexcept : kind_(kind) {}
    HostFailureKind kind() const noexcept { return kind_; }
    const char* what() const noexcept override { return "host operation failed"; }

  private:
    HostFailureKind kind_;
};

[[noreturn]] inline void failHost(HostFailureKind kind) {
    throw HostFailure(kind);
}

} // namespace korvelin
