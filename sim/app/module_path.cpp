#include "module_path.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#if !defined(VEVOVUVADO_MODULE_PATH) || !defined(VEVOVUVADO_BUILD_FOLDER) || \
    !defined(VEVOVUVADO_INSTALLED_MODULE)
#error "the build passes the module's path in the build folder and once installed"
#endif

namespace {
std::string realPath(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) ? std::string(resolved) : std::string();
}

// The folder of the running program; empty when the system cannot tell.
std::string programFolder() {
  const std::string program = realPath("/proc/self/exe");
  const size_t slash = program.rfind('/');
  return slash == std::string::npos ? std::string() : program.substr(0, slash);
}
}  // namespace

std::string defaultModulePath() {
  const std::string folder = programFolder();
  const std::string installed = VEVOVUVADO_INSTALLED_MODULE;
  if (folder.empty() || folder == realPath(VEVOVUVADO_BUILD_FOLDER))
    return VEVOVUVADO_MODULE_PATH;
  // Relative to the program's folder, so that a package installed under any prefix works.
  return installed[0] == '/' ? installed : folder + "/" + installed;
}
