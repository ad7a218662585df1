#include "loaded_library.h"

#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace LoadedLibrary {

namespace {

struct Search {
  const char* fileName;
  const char* path;  // of the first library found, else null
};

const char* BaseName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

int MatchLibrary(dl_phdr_info* info, size_t, void* data) {
  auto* search = static_cast<Search*>(data);
  if (info->dlpi_name == nullptr || info->dlpi_name[0] == '\0') return 0;
  if (std::strcmp(BaseName(info->dlpi_name), search->fileName) != 0) return 0;
  search->path = info->dlpi_name;
  return 1;
}

}  // namespace

void* Find(const char* fileName) {
  if (fileName == nullptr) return nullptr;
  Search search{fileName, nullptr};
  dl_iterate_phdr(MatchLibrary, &search);
  if (search.path == nullptr) return nullptr;
  // RTLD_NOLOAD only hands out the handle of the library already there. The reference it takes
  // is given back at once, so the library's owner alone decides when it goes.
  void* handle = dlopen(search.path, RTLD_LAZY | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle;
}

void* Resolve(void* library, const char* routineName) {
  if (library == nullptr || routineName == nullptr) return nullptr;
  return dlsym(library, routineName);
}

}  // namespace LoadedLibrary
