// The varnsim program: runs a scenario through the host, or lists the module libraries.
#include "class_file.h"
#include "command_line.h"
#include "script_reader.h"
#include "simulation.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace varn {

namespace {

const int kBadInput = 1;
const int kRunFailed = 3;

std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return path;
  return std::string(cwd) + "/" + path;
}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = '\0';
  std::string folder(path);
  return folder.substr(0, folder.rfind('/'));
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The build's modules folder beside the program, and the repository's class files.
void FindDefaultFolders(CommandLine& cl) {
  if (cl.modulesDir.empty()) {
    const std::string beside = ExecutableFolder() + "/modules";
    cl.modulesDir = IsFolder(beside) ? beside : VARN_DEFAULT_MODULES_DIR;
  }
  if (cl.configDir.empty()) cl.configDir = IsFolder(VARN_DEFAULT_CONFIG_DIR) ? VARN_DEFAULT_CONFIG_DIR : "config";
  cl.modulesDir = Absolute(cl.modulesDir);
  cl.configDir = Absolute(cl.configDir);
}

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream contents;
  contents << in.rdbuf();
  text = contents.str();
  return true;
}

// Writes through a temporary file and a rename, so that a failed run leaves no half file.
bool WriteFileWhole(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text;
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

int ListModules(const CommandLine& cl) {
  // Which classes each module serves, from the class files.
  std::map<std::string, std::string> classesOf;
  const std::string vessels = cl.configDir + "/vessels";
  std::map<std::string, std::string> classFiles;  // sorted, for a stable listing
  if (DIR* folder = opendir(vessels.c_str())) {
    while (dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".cfg") == 0)
        classFiles[name.substr(0, name.size() - 4)] = vessels + "/" + name;
    }
    closedir(folder);
  }
  for (const auto& file : classFiles) {
    ClassInfo info;
    std::string error;
    bool missing = false;
    if (!ReadClassFile(file.second, info, error, missing)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return kBadInput;
    }
    if (info.moduleName.empty()) continue;
    std::string& list = classesOf[info.moduleName];
    list += (list.empty() ? "" : ", ") + file.first;
  }
  DIR* folder = opendir(cl.modulesDir.c_str());
  if (!folder) {
    std::fprintf(stderr, "varnsim: no modules folder %s (build the project first)\n", cl.modulesDir.c_str());
    return kBadInput;
  }
  std::map<std::string, std::string> libraries;
  while (dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0)
      libraries[name.substr(0, name.size() - 3)] = cl.modulesDir + "/" + name;
  }
  closedir(folder);
  std::printf("%-26s %-9s %-12s %s\n", "module", "version", "date", "classes");
  for (const auto& library : libraries) {
    void* handle = dlopen(library.second.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      std::printf("%-26s (cannot be loaded: %s)\n", library.first.c_str(), dlerror());
      continue;
    }
    auto version = reinterpret_cast<int (*)()>(dlsym(handle, "ModuleVersion"));
    auto date = reinterpret_cast<const char* (*)()>(dlsym(handle, "ModuleDate"));
    const auto classes = classesOf.find(library.first);
    std::printf("%-26s %-9d %-12s %s\n", library.first.c_str(), version ? version() : 0, date ? date() : "-",
                classes == classesOf.end() ? "-" : classes->second.c_str());
    dlclose(handle);
  }
  return 0;
}

int Run(CommandLine& cl) {
  std::string text, error;
  const std::string scenarioPath = cl.scenario;
  if (!ReadFile(scenarioPath, text)) {
    std::fprintf(stderr, "%s: cannot read the scenario file\n", scenarioPath.c_str());
    return kBadInput;
  }
  std::vector<ScriptEvent> events;
  if (!cl.script.empty()) {
    std::string script;
    if (!ReadFile(cl.script, script)) {
      std::fprintf(stderr, "%s: cannot read the script file\n", cl.script.c_str());
      return kBadInput;
    }
    if (!ReadScript(script, cl.script, events, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return kBadInput;
    }
  }
  for (std::string* output : {&cl.save, &cl.dump, &cl.trace}) *output = Absolute(*output);
  if (cl.workdir.empty()) cl.workdir = ".";
  if (!IsFolder(cl.workdir) && mkdir(cl.workdir.c_str(), 0755) != 0) {
    std::fprintf(stderr, "varnsim: cannot make the working folder %s\n", cl.workdir.c_str());
    return kBadInput;
  }
  cl.workdir = Absolute(cl.workdir);

  if (cl.sound) {
    // The sound engine stand-in, loaded into the process as the simulator would have it.
    const std::string engine = cl.modulesDir + "/../soundengine/complete/OrbiterSound.dll";
    if (!dlopen(engine.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
      std::fprintf(stderr, "varnsim: cannot load the sound engine %s: %s\n", engine.c_str(), dlerror());
      return kBadInput;
    }
  }

  HostOptions options;
  options.modulesDir = cl.modulesDir;
  options.configDir = cl.configDir;
  options.workDir = cl.workdir;
  options.dt = cl.dt;
  if (cl.hostBuild) options.hostBuild = cl.hostBuild;
  options.flightModel = cl.flightModel;
  options.hudWidth = cl.hudWidth;
  options.hudHeight = cl.hudHeight;

  // Modules write files by relative name into the run's folder.
  char startFolder[PATH_MAX];
  if (!getcwd(startFolder, sizeof startFolder) || chdir(cl.workdir.c_str()) != 0) {
    std::fprintf(stderr, "varnsim: cannot enter the working folder %s\n", cl.workdir.c_str());
    return kBadInput;
  }
  std::string saved, dumped, traced;
  int status = 0;
  {
    Simulation sim(options);
    if (!sim.LoadScenarioText(text, scenarioPath, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      status = kBadInput;
    } else {
      for (const auto& event : events) {
        if (status == 0 && event.kind != ScriptEvent::Kind::Accel && !sim.Find(event.vessel)) {
          std::fprintf(stderr, "%s:%d: no vessel '%s' in the scenario\n", cl.script.c_str(), event.line,
                       event.vessel.c_str());
          status = kBadInput;
        }
        sim.AddScriptEvent(event);
      }
    }
    if (status == 0) {
      if (!cl.trace.empty()) {
        traced = "time,vessel,field,value\n";
        sim.EnableTrace([&traced](const std::string& row) { traced += row + "\n"; });
      }
      sim.RunUntil(cl.until);
      for (const auto& hostError : sim.Errors()) std::fprintf(stderr, "host: %s\n", hostError.message.c_str());
      if (!sim.Errors().empty()) {
        status = kRunFailed;
      } else {
        if (!cl.save.empty()) saved = sim.SaveScenario();
        if (!cl.dump.empty()) dumped = sim.DumpJson();
        std::printf("%s: ran %.3f s of simulated time, %zu vessels, focus %s\n", scenarioPath.c_str(), sim.Time(),
                    sim.Vessels().size(), sim.FocusName().empty() ? "-" : sim.FocusName().c_str());
      }
    }
  }
  if (chdir(startFolder) != 0) return kRunFailed;
  if (status != 0) return status;
  const std::pair<const std::string*, const std::string*> outputs[] = {
      {&cl.save, &saved}, {&cl.dump, &dumped}, {&cl.trace, &traced}};
  for (const auto& output : outputs) {
    if (output.first->empty()) continue;
    if (!WriteFileWhole(*output.first, *output.second)) {
      std::fprintf(stderr, "varnsim: cannot write %s\n", output.first->c_str());
      return kRunFailed;
    }
  }
  return 0;
}

}  // namespace

int RunVarnsim(int argc, const char* const* argv) {
  CommandLine cl;
  std::string error;
  if (!ParseCommandLine(argc, argv, cl, error)) {
    std::fprintf(stderr, "varnsim: %s\n", error.c_str());
    return kBadInput;
  }
  FindDefaultFolders(cl);
  return cl.command == "modules" ? ListModules(cl) : Run(cl);
}

}  // namespace varn
