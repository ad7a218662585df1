// Finding a library that is already loaded into the process, and resolving routines in it by
// name. The library is only borrowed: nothing here loads or unloads one, so a handle stays
// valid only while whoever loaded the library keeps it loaded.
#pragma once

namespace LoadedLibrary {

// The loaded library whose file name (the last part of its path) is fileName, or null when no
// such library is loaded. The first match in load order wins.
void* Find(const char* fileName);

// The address of the routine routineName exported by library, or null when it has none.
void* Resolve(void* library, const char* routineName);

}  // namespace LoadedLibrary
