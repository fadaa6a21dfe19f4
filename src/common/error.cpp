#include "common/error.h"

#include <cerrno>
#include <cstring>

namespace veyla {

ErrorKind KindFromErrno(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
      return ErrorKind::NotFound;
    case EISDIR:
    case ENXIO:
    case ENODEV:
      return ErrorKind::NotRegularFile;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return ErrorKind::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return ErrorKind::NoSpace;
    case EFBIG:
      return ErrorKind::FileTooLarge;
    default:
      return ErrorKind::Io;
  }
}

Error ErrorFromErrno(std::string operation, int err) {
  return Error{KindFromErrno(err), err, std::move(operation)};
}

std::string Error::Describe() const {
  std::string cause;
  if (sysErrno != 0) {
    cause = std::strerror(sysErrno);
  } else {
    switch (kind) {
      case ErrorKind::NotFound: cause = "No such file"; break;
      case ErrorKind::NotRegularFile: cause = "Not a regular file"; break;
      case ErrorKind::PermissionDenied: cause = "Permission denied"; break;
      case ErrorKind::NoSpace: cause = "No space left on device"; break;
      case ErrorKind::FileTooLarge: cause = "File too large"; break;
      case ErrorKind::Io: cause = "Input/output error"; break;
    }
  }
  return operation.empty() ? cause : operation + ": " + cause;
}

}  // namespace veyla
