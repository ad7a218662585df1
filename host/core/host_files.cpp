// Files and scenario blocks behind FILEHANDLEs: oapiOpenFile, the scenario readers and writers.
// Closed slots keep their buffers, so that a file written and read every step allocates nothing
// once the buffers have grown.
#include "world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace varn {

namespace {
OpenFile& FreeSlot(World& world, size_t& index) {
  for (index = 0; index < world.openFiles.size(); ++index)
    if (!world.openFiles[index].open) return world.openFiles[index];
  world.openFiles.emplace_back();
  index = world.openFiles.size() - 1;
  return world.openFiles.back();
}

FILEHANDLE HandleOfFile(const OpenFile& file, size_t index) {
  return MakeHandle<FILEHANDLE>(static_cast<std::uint32_t>(index), file.generation, 0, 0);
}

void Prepare(OpenFile& file, bool reading, const char* path) {
  ++file.generation;
  file.open = true;
  file.reading = reading;
  file.scenarioBlock = false;
  file.path.assign(path);
  file.source.assign(path);
  file.firstLine = 1;
  file.text.clear();
  file.cursor = 0;
  file.lineNumber = 0;
  file.line.clear();
  file.append = false;
}
}  // namespace

FILEHANDLE World::OpenForReading(const std::string& path, const std::string& source, int firstLine, std::string text,
                                 bool scenarioBlock) {
  size_t index;
  OpenFile& file = FreeSlot(*this, index);
  Prepare(file, true, path.c_str());
  file.source = source;
  file.firstLine = firstLine;
  file.lineNumber = firstLine - 1;
  file.text = std::move(text);
  file.scenarioBlock = scenarioBlock;
  return HandleOfFile(file, index);
}

FILEHANDLE World::OpenFileHandle(const char* fname, FileAccessMode mode) {
  size_t index;
  OpenFile& file = FreeSlot(*this, index);
  Prepare(file, mode == FILE_IN, fname);
  if (mode == FILE_IN) {
    if (!files->Read(fname, file.text)) {
      file.open = false;
      return nullptr;
    }
  } else {
    // Creating the file now tells the caller at once whether it can be written.
    file.append = mode == FILE_APP;
    if (!files->Touch(fname)) {
      file.open = false;
      return nullptr;
    }
  }
  return HandleOfFile(file, index);
}

FILEHANDLE World::OpenScenarioWriter() {
  size_t index;
  OpenFile& file = FreeSlot(*this, index);
  Prepare(file, false, "");
  file.scenarioBlock = true;
  return HandleOfFile(file, index);
}

OpenFile* World::File(FILEHANDLE h, const char* op) {
  HandleParts parts;
  if (!h || !UnpackHandle(h, parts) || parts.slot >= openFiles.size() || !openFiles[parts.slot].open ||
      (openFiles[parts.slot].generation & kHandleGenerationMask) != parts.generation) {
    Report("%s: the file handle is not open", op);
    return nullptr;
  }
  return &openFiles[parts.slot];
}

void World::CloseFile(FILEHANDLE h, bool writeBack) {
  OpenFile* file = File(h, "oapiCloseFile");
  if (!file) return;
  if (writeBack && !file->reading && !file->scenarioBlock) files->Write(file->path.c_str(), file->text, file->append);
  file->open = false;
  if (lastReadFile == h) lastReadFile = nullptr;
}

bool World::LineOrigin(const char* line, std::string& source, int& lineNumber) const {
  HandleParts parts;
  if (!lastReadFile || !UnpackHandle(lastReadFile, parts) || parts.slot >= openFiles.size()) return false;
  const OpenFile& file = openFiles[parts.slot];
  if (!file.open || line != file.line.c_str()) return false;
  source = file.source;
  lineNumber = file.lineNumber;
  return true;
}

}  // namespace varn

using varn::OpenFile;
using varn::World;

namespace {
// Shortest text that reads back as the same double.
void FormatExact(double value, char* text, size_t size) {
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(text, size, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) return;
  }
}

void WriteLine(FILEHANDLE scn, const char* op, const char* item, const char* value) {
  OpenFile* file = World::Current().File(scn, op);
  if (!file) return;
  if (file->reading) {
    World::Current().Report("%s: the file '%s' is open for reading", op, file->source.c_str());
    return;
  }
  file->text += "  ";
  file->text += item ? item : "";
  if (value && *value) {
    file->text += ' ';
    file->text += value;
  }
  file->text += '\n';
}
}  // namespace

bool oapiReadScenario_nextline(FILEHANDLE scn, char*& line) {
  World& world = World::Current();
  OpenFile* file = world.File(scn, "oapiReadScenario_nextline");
  if (!file) return false;
  if (!file->reading) {
    world.Report("oapiReadScenario_nextline: the file '%s' is open for writing", file->source.c_str());
    return false;
  }
  while (file->cursor < file->text.size()) {
    size_t end = file->text.find('\n', file->cursor);
    if (end == std::string::npos) end = file->text.size();
    size_t begin = file->cursor;
    file->cursor = end + 1;
    ++file->lineNumber;
    while (begin < end && (file->text[begin] == ' ' || file->text[begin] == '\t')) ++begin;
    size_t last = end;
    while (last > begin && (file->text[last - 1] == '\r' || file->text[last - 1] == ' ' || file->text[last - 1] == '\t'))
      --last;
    if (last == begin) continue;
    file->line.assign(file->text, begin, last - begin);
    if (file->line == "END") {
      file->cursor = file->text.size();
      return false;
    }
    world.lastReadFile = scn;
    line = &file->line[0];
    return true;
  }
  return false;
}

void oapiWriteScenario_string(FILEHANDLE scn, const char* item, const char* string) {
  WriteLine(scn, "oapiWriteScenario_string", item, string);
}

void oapiWriteScenario_int(FILEHANDLE scn, const char* item, int i) {
  char text[32];
  std::snprintf(text, sizeof text, "%d", i);
  WriteLine(scn, "oapiWriteScenario_int", item, text);
}

void oapiWriteScenario_float(FILEHANDLE scn, const char* item, double d) {
  char text[40];
  FormatExact(d, text, sizeof text);
  WriteLine(scn, "oapiWriteScenario_float", item, text);
}

FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot) {
  World& world = World::Current();
  if (!fname || !*fname) {
    world.Report("oapiOpenFile: no file name");
    return nullptr;
  }
  if (mode != FILE_IN && mode != FILE_OUT && mode != FILE_APP) {
    world.Report("oapiOpenFile: unknown access mode %d for '%s'", static_cast<int>(mode), fname);
    return nullptr;
  }
  return world.OpenFileHandle(fname, mode);
}

void oapiCloseFile(FILEHANDLE f, FileAccessMode) { World::Current().CloseFile(f, true); }
