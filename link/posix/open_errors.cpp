#include "link/posix/open_errors.h"

#include <cerrno>

namespace tevral::link::posix {

OpenError OpenErrorFromErrno(int error) {
  switch (error) {
    // No such file, a USB adapter that was unplugged (ENODEV, ENXIO), or a
    // path through something that is not a folder.
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return OpenError::kNotFound;
    // Held exclusively (TIOCEXCL) or locked by another program (flock).
    case EBUSY:
    case EWOULDBLOCK:
      return OpenError::kBusy;
    // Device permissions: the user is not in the group that owns serial
    // devices. Not "busy": no other program is involved.
    case EACCES:
    case EPERM:
      return OpenError::kPermissionDenied;
    default:
      return OpenError::kOther;
  }
}

}  // namespace tevral::link::posix
