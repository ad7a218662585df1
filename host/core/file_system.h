// Where the host's file functions (oapiOpenFile and friends) read and write. The disk version
// serves runs; the memory version lets tests feed files from memory and make opens fail.
#pragma once

#include <map>
#include <set>
#include <string>

namespace varn {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Reads the whole file into contents (reusing its capacity); false if it cannot be read.
  virtual bool Read(const char* path, std::string& contents) = 0;
  // Replaces (or, with append, extends) the file; false if it cannot be written.
  virtual bool Write(const char* path, const std::string& contents, bool append) = 0;
  // Creates the file if it does not exist, leaving its contents; false if it cannot be written.
  virtual bool Touch(const char* path) = 0;
};

// Files under a folder on disk. Uses the system calls directly, so that a read or write of a
// small file allocates nothing once the caller's buffers have grown.
class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::string folder);
  bool Read(const char* path, std::string& contents) override;
  bool Write(const char* path, const std::string& contents, bool append) override;
  bool Touch(const char* path) override;
  const std::string& Folder() const { return folder; }

 private:
  const char* Resolve(const char* path);
  std::string folder;
  std::string pathBuffer;
};

// Files kept in memory. Paths named in failReads or failWrites cannot be opened that way.
class MemoryFileSystem : public FileSystem {
 public:
  bool Read(const char* path, std::string& contents) override;
  bool Write(const char* path, const std::string& contents, bool append) override;
  bool Touch(const char* path) override;

  std::map<std::string, std::string> files;
  std::set<std::string> failReads, failWrites;
  int reads = 0, writes = 0;
};

}  // namespace varn
