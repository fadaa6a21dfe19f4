#include "platform/file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <limits>
#include <thread>
#include <utility>
#include <vector>

#include "platform/descriptor.h"

namespace veyla::platform {

namespace {

Error ClosedFileError() {
  return Error{ErrorKind::Io, 0, "closed file"};
}

Error NotRegularFileError(mode_t mode) {
  // A directory keeps the system's own wording; every other kind gets the generic one.
  if (S_ISDIR(mode)) return Error{ErrorKind::NotRegularFile, EISDIR, "open"};
  return Error{ErrorKind::NotRegularFile, 0, "open"};
}

// How long an append waits for another appender's lock before giving up.
constexpr auto kLockPatience = std::chrono::seconds(10);
constexpr auto kLockPollInterval = std::chrono::milliseconds(10);

// Opens an existing regular file. The path is looked at first so that a device is never
// opened at all (opening some devices has effects); the descriptor's own status decides,
// because the name may have been replaced in between. O_NONBLOCK keeps the open of a FIFO
// from waiting for a writer; it is cleared again once the file is known to be regular.
Result<int> OpenRegular(const std::filesystem::path& path, int accessFlags) {
  struct stat before {};
  if (::stat(path.c_str(), &before) != 0) return ErrorFromErrno("open", errno);
  if (!S_ISREG(before.st_mode)) return NotRegularFileError(before.st_mode);

  int fd;
  do {
    fd = ::open(path.c_str(), accessFlags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return ErrorFromErrno("open", errno);

  struct stat opened {};
  if (::fstat(fd, &opened) != 0) {
    const int err = errno;
    ::close(fd);
    return ErrorFromErrno("open", err);
  }
  if (!S_ISREG(opened.st_mode)) {
    ::close(fd);
    return NotRegularFileError(opened.st_mode);
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int err = errno;
    ::close(fd);
    return ErrorFromErrno("open", err);
  }
  return fd;
}

Result<std::uint64_t> SizeOf(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return ErrorFromErrno("size", errno);
  return static_cast<std::uint64_t>(st.st_size);
}

Result<std::uint64_t> PositionOf(int fd) {
  const off_t pos = ::lseek(fd, 0, SEEK_CUR);
  if (pos < 0) return ErrorFromErrno("seek", errno);
  return static_cast<std::uint64_t>(pos);
}

// Holds an exclusive flock on a descriptor for its lifetime. Another holder is waited for,
// polling, up to kLockPatience; file systems without flock proceed unlocked.
class AppendLock {
 public:
  explicit AppendLock(int fd) : fd_(fd) {}
  AppendLock(const AppendLock&) = delete;
  AppendLock& operator=(const AppendLock&) = delete;
  ~AppendLock() {
    if (held_) ::flock(fd_, LOCK_UN);
  }

  Result<void> Acquire() {
    const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        held_ = true;
        return {};
      }
      const int err = errno;
      if (err == EINTR) continue;
      if (err == ENOLCK || err == EOPNOTSUPP || err == ENOSYS) return {};
      if (err != EWOULDBLOCK) return ErrorFromErrno("lock", err);
      if (std::chrono::steady_clock::now() >= deadline) return ErrorFromErrno("lock", err);
      std::this_thread::sleep_for(kLockPollInterval);
    }
  }

 private:
  int fd_;
  bool held_ = false;
};

Result<void> SyncDescriptor(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return ErrorFromErrno("sync", errno);
  }
  return {};
}

// Writes the runs with as few writev calls as the system allows, continuing after a short
// count (a signal, the 2 GiB cap of one call) so that a real failure reports its errno.
Result<void> WriteRuns(int fd, std::span<const std::span<const std::uint8_t>> runs) {
  std::vector<iovec> pending;
  pending.reserve(runs.size());
  for (const auto& run : runs) {
    if (run.empty()) continue;
    // iovec's base is a non-const pointer by the system's declaration; writev only reads it.
    pending.push_back(iovec{const_cast<std::uint8_t*>(run.data()), run.size()});
  }
  std::size_t first = 0;
  while (first < pending.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(pending.size() - first, IOV_MAX));
    const ssize_t n = ::writev(fd, &pending[first], count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrorFromErrno("write", errno);
    }
    if (n == 0) return Error{ErrorKind::Io, 0, "write"};
    auto written = static_cast<std::size_t>(n);
    while (first < pending.size() && written >= pending[first].iov_len) {
      written -= pending[first].iov_len;
      ++first;
    }
    if (written > 0) {
      pending[first].iov_base = static_cast<std::uint8_t*>(pending[first].iov_base) + written;
      pending[first].iov_len -= written;
    }
  }
  return {};
}

// Cuts the file back to `size` after a failed append and says so in the error. The cut is
// synced so that a crash right after cannot bring the partial block back.
Error RollBack(int fd, std::uint64_t size, Error cause) {
  // Nothing reached the file (or someone else shortened it): there is nothing to cut, and
  // ftruncate would otherwise lengthen the file with zeros.
  auto now = SizeOf(fd);
  if (now && now.value() <= size) return cause;
  int err = 0;
  while (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
    if (errno != EINTR) {
      err = errno;
      break;
    }
  }
  if (err != 0) {
    cause.operation += " (the partly written block could not be removed: ";
    cause.operation += std::strerror(err);
    cause.operation += ")";
    return cause;
  }
  (void)SyncDescriptor(fd);
  return cause;
}

}  // namespace

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

File::~File() {
  Close();
}

Result<File> File::OpenForReading(const std::filesystem::path& path) {
  auto fd = OpenRegular(path, O_RDONLY);
  if (!fd) return fd.error();
  return File(fd.value());
}

Result<File> File::OpenForAppending(const std::filesystem::path& path) {
  auto fd = OpenRegular(path, O_RDWR | O_APPEND);
  if (!fd) return fd.error();
  return File(fd.value());
}

Result<std::uint64_t> File::Size() const {
  if (!IsOpen()) return ClosedFileError();
  return SizeOf(fd_);
}

Result<void> File::SeekFromEnd(std::uint64_t distance) {
  if (!IsOpen()) return ClosedFileError();
  auto size = SizeOf(fd_);
  if (!size) return size.error();
  if (distance > size.value()) return ErrorFromErrno("seek", EINVAL);
  if (::lseek(fd_, static_cast<off_t>(size.value() - distance), SEEK_SET) < 0) {
    return ErrorFromErrno("seek", errno);
  }
  return {};
}

Result<ByteString> File::Read(std::size_t count) {
  if (!IsOpen()) return ClosedFileError();
  auto size = SizeOf(fd_);
  if (!size) return size.error();
  auto position = PositionOf(fd_);
  if (!position) return position.error();
  const std::uint64_t remaining =
      size.value() > position.value() ? size.value() - position.value() : 0;
  const auto expected = static_cast<std::size_t>(
      std::min<std::uint64_t>(remaining, std::numeric_limits<std::size_t>::max()));
  return detail::ReadUpTo(fd_, count, expected);
}

Result<std::size_t> File::ReadInto(std::span<std::uint8_t> buffer) {
  if (!IsOpen()) return ClosedFileError();
  return detail::ReadFully(fd_, buffer);
}

Result<void> File::AppendRuns(std::span<const std::span<const std::uint8_t>> runs) {
  if (!IsOpen()) return ClosedFileError();
  AppendLock lock(fd_);
  if (auto locked = lock.Acquire(); !locked) return locked.error();
  auto sizeBefore = SizeOf(fd_);
  if (!sizeBefore) return sizeBefore.error();
  if (auto written = WriteRuns(fd_, runs); !written) {
    return RollBack(fd_, sizeBefore.value(), written.error());
  }
  if (auto synced = SyncDescriptor(fd_); !synced) {
    return RollBack(fd_, sizeBefore.value(), synced.error());
  }
  return {};
}

Result<void> File::Sync() {
  if (!IsOpen()) return ClosedFileError();
  return SyncDescriptor(fd_);
}

void File::Close() {
  // Linux releases the descriptor even when close reports EINTR; it must not be retried.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Result<ByteString> ReadWholeFile(const std::filesystem::path& path) {
  auto file = File::OpenForReading(path);
  if (!file) return file.error();
  return file.value().Read(std::numeric_limits<std::size_t>::max());
}

void IgnoreFileSizeSignal() {
  struct sigaction action {};
  action.sa_handler = SIG_IGN;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace veyla::platform
