#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "shown_text.h"

namespace {
// What a file of this kind is called in a refusal; nullptr for a regular file.
const char* kindOfNonRegular(mode_t mode) {
  if (S_ISREG(mode))
    return nullptr;
  if (S_ISDIR(mode))
    return "a directory";
  if (S_ISFIFO(mode))
    return "a FIFO (named pipe)";
  if (S_ISCHR(mode))
    return "a character device";
  if (S_ISBLK(mode))
    return "a block device";
  if (S_ISSOCK(mode))
    return "a socket";
  return "not a regular file";
}

bool fail(const std::string& path, const std::string& problem, std::string* error) {
  *error = shownPath(path) + ": " + problem;
  return false;
}

bool failNotRegular(const std::string& path, mode_t mode, std::string* error) {
  return fail(path, std::string("is ") + kindOfNonRegular(mode) + ", not a regular file", error);
}

bool failTooLarge(const std::string& path, size_t limit, std::string* error) {
  const std::string most = limit % (1u << 20) == 0 ? std::to_string(limit >> 20) + " MiB"
                                                   : std::to_string(limit) + " bytes";
  return fail(path, "larger than " + most + ", the most it may hold", error);
}

bool failOpen(const std::string& path, int errorNumber, std::string* error) {
  if (errorNumber == ENOENT || errorNumber == EACCES || errorNumber == ENOTDIR)
    return fail(path, "cannot be read (no such file, or no permission)", error);
  return fail(path, std::string("cannot be read: ") + std::strerror(errorNumber), error);
}
}  // namespace

bool refuseUnlessRegularFile(const std::string& path, std::string* error) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode))
    return true;
  return failNotRegular(path, status.st_mode, error);
}

bool readInputFile(const std::string& path, std::string* text, std::string* error, size_t limit) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0)
    return failOpen(path, errno, error);
  if (!S_ISREG(status.st_mode))
    return failNotRegular(path, status.st_mode, error);
  if (static_cast<unsigned long long>(status.st_size) > limit)
    return failTooLarge(path, limit, error);

  // Non-blocking, and checked again once open: the path may have been replaced by a FIFO or a
  // device since the check above, and opening one of those must not wait or take a terminal.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return failOpen(path, errno, error);
  bool ok = fstat(fd, &status) == 0;
  if (ok && !S_ISREG(status.st_mode)) {
    close(fd);
    return failNotRegular(path, status.st_mode, error);
  }
  std::string content;
  char buffer[65536];
  while (ok) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    // A file that grows while it is read is held to the same limit.
    if (content.size() + static_cast<size_t>(n) > limit) {
      close(fd);
      return failTooLarge(path, limit, error);
    }
    content.append(buffer, static_cast<size_t>(n));
  }
  const int readErrno = errno;
  close(fd);
  if (!ok)
    return fail(path, std::string("cannot be read: ") + std::strerror(readErrno), error);
  *text = std::move(content);
  return true;
}
