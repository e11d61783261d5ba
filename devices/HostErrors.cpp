#include "devices/HostErrors.h"

#include <cerrno>

namespace korvelin {

HostFailureKind failureOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return HostFailureKind::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return HostFailureKind::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return HostFailureKind::DiskFull;
    case ENAMETOOLONG:
    case EISDIR:
    case EINVAL:
    case ELOOP: return HostFailureKind::BadFileName;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return HostFailureKind::DeviceUnavailable;
    case EXDEV: return HostFailureKind::RenameAcrossDrives;
    default: return HostFailureKind::Other;
    }
}

void failWithErrno(int error) {
    failHost(failureOfErrno(error));
}

} // namespace korvelin
