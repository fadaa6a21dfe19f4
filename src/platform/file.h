#pragma once
// The platform's file operations: the one module of the project that calls the operating
// system for files. POSIX behind it.
//
// Only regular files are opened: a directory, FIFO, device or socket is refused with
// ErrorKind::NotRegularFile before anything is read, so a name never makes a caller hang.
// The test follows symbolic links: a link to a regular file is that file, a link to a device
// is refused.
// A default-constructed or moved-from File names no file; every operation on it does nothing
// and reports ErrorKind::Io with operation "closed file" (reads give the empty ByteString).
// Destroying a File closes it.
//
// Interrupted system calls are repeated; no operation ever reports EINTR.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "common/byte_string.h"
#include "common/error.h"

namespace veyla::platform {

class File {
 public:
  File() = default;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // An existing regular file, for reading only.
  static Result<File> OpenForReading(const std::filesystem::path& path);
  // An existing regular file, for reading and appending: never created, never truncated.
  // Every write of this File goes to the end of the file, whatever the position.
  static Result<File> OpenForAppending(const std::filesystem::path& path);

  bool IsOpen() const { return fd_ >= 0; }
  // The number that names the open file (the system's descriptor), 0 when none.
  int Number() const { return fd_ >= 0 ? fd_ : 0; }

  Result<std::uint64_t> Size() const;

  // Moves the position to `distance` bytes before the end. A target before the start fails
  // (ErrorKind::Io, EINVAL) and leaves the position unchanged.
  Result<void> SeekFromEnd(std::uint64_t distance);
  // Reads up to `count` bytes at the position (fewer at the end) and advances past them.
  // Memory is taken for what the file holds, not for `count`.
  Result<ByteString> Read(std::size_t count);
  // Reads up to buffer.size() bytes at the position into `buffer`; fewer only at the end, 0
  // there.
  Result<std::size_t> ReadInto(std::span<std::uint8_t> buffer);

  // Appends the runs, one after another, at the end of the file in one request, then syncs
  // the file to its storage device. A short or failed write, or a failed sync, cuts the file
  // back to the size it had before, so the file holds either all of the runs or none of them;
  // the error names the step that failed ("write", "sync", ...).
  //
  // While it works it holds an exclusive advisory lock (flock) on the file, so two appenders
  // that both use this function never interleave and a cut never removes the other's bytes.
  // A lock held elsewhere for longer than a few seconds fails the append with "lock" and
  // leaves the file unchanged; a file system without locks appends without one.
  Result<void> AppendRuns(std::span<const std::span<const std::uint8_t>> runs);
  // Flushes the file's data to the storage device.
  Result<void> Sync();

  void Close();

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// Reads a whole regular file. Used for small files (passwords, messages) and for the data a
// front end hides; reads in one pass sized from the file, never quadratic.
Result<ByteString> ReadWholeFile(const std::filesystem::path& path);

// Makes a file-size limit (SIGXFSZ) fail the write with EFBIG instead of ending the process.
void IgnoreFileSizeSignal();

}  // namespace veyla::platform
