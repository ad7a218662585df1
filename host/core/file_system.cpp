#include "file_system.h"

#include <fcntl.h>
#include <unistd.h>

namespace varn {

DiskFileSystem::DiskFileSystem(std::string folder) : folder(std::move(folder)) {}

const char* DiskFileSystem::Resolve(const char* path) {
  if (folder.empty() || path[0] == '/') return path;
  pathBuffer.assign(folder);
  pathBuffer += '/';
  pathBuffer += path;
  return pathBuffer.c_str();
}

bool DiskFileSystem::Read(const char* path, std::string& contents) {
  const int fd = ::open(Resolve(path), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  contents.clear();
  char chunk[4096];
  ssize_t got;
  while ((got = ::read(fd, chunk, sizeof chunk)) > 0) contents.append(chunk, static_cast<size_t>(got));
  ::close(fd);
  return got == 0;
}

bool DiskFileSystem::Write(const char* path, const std::string& contents, bool append) {
  // Overwriting in place and cutting the rest, rather than truncating first, spares the file
  // system the flush it makes when a file emptied by truncation is closed.
  const int fd = ::open(Resolve(path), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : 0), 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < contents.size()) {
    const ssize_t put = ::write(fd, contents.data() + done, contents.size() - done);
    if (put <= 0) break;
    done += static_cast<size_t>(put);
  }
  const bool cut = append || ::ftruncate(fd, static_cast<off_t>(contents.size())) == 0;
  ::close(fd);
  return done == contents.size() && cut;
}

bool DiskFileSystem::Touch(const char* path) {
  const int fd = ::open(Resolve(path), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool MemoryFileSystem::Read(const char* path, std::string& contents) {
  ++reads;
  if (failReads.count(path)) return false;
  auto found = files.find(path);
  if (found == files.end()) return false;
  contents = found->second;
  return true;
}

bool MemoryFileSystem::Touch(const char* path) {
  if (failWrites.count(path)) return false;
  files[path];
  return true;
}

bool MemoryFileSystem::Write(const char* path, const std::string& contents, bool append) {
  ++writes;
  if (failWrites.count(path)) return false;
  if (append) files[path] += contents;
  else files[path] = contents;
  return true;
}

}  // namespace varn
