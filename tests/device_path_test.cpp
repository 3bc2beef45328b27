// The module on its own system calls, against whatever a receiver might have at its device
// paths: nothing, regular files, FIFOs, /dev/null, /dev/full, directories. Each arrangement
// runs in a child process in a private user and mount namespace with a tmpfs over /dev, so the
// real paths "/dev/i2c/0", "/dev/dvb/card0/frontend0" and "/dev/sound/dsp" can be set up
// without touching the machine. The child reports what it saw; the test judges it here.
// Where namespaces are not allowed the test is skipped with the reason, unless
// VEVOVUVADO_REQUIRE_NAMESPACES is set (CI), which makes that a failure.

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "seam/device_seam.h"
#include "support/finder_fixture.h"

extern char** environ;

namespace {

// What stands at each of the three device paths.
enum class Kind { nothing, regularFile, fifo, devNull, devFull, directory };

struct KindName {
  Kind kind;
  const char* name;
};
constexpr KindName kKindNames[] = {
    {Kind::nothing, "nothing"},  {Kind::regularFile, "regular-file"},
    {Kind::fifo, "fifo"},        {Kind::devNull, "dev-null"},
    {Kind::devFull, "dev-full"}, {Kind::directory, "directory"},
};

const char* kindName(Kind kind) {
  for (const KindName& k : kKindNames) {
    if (k.kind == kind)
      return k.name;
  }
  return "?";
}

bool kindNamed(const std::string& name, Kind* kind) {
  for (const KindName& k : kKindNames) {
    if (name == k.name) {
      *kind = k.kind;
      return true;
    }
  }
  return false;
}

constexpr const char* kDevicePaths[] = {devpath::kI2cBus, devpath::kFrontend, devpath::kAudio};
constexpr const char* kInsideFlag = "--inside-private-dev";

// ---- The child: a private /dev, then the module against it. -----------------------------

bool writeProcFile(const char* path, const std::string& text) {
  const int fd = open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0)
    return false;
  const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  return ok;
}

bool makeParents(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST)
      return false;
  }
  return true;
}

// Binds the device `original` (held open as `fd` from before /dev was covered) onto `path`.
bool bindDevice(int fd, const std::string& path) {
  const int made = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (made < 0)
    return false;
  close(made);
  const std::string source = "/proc/self/fd/" + std::to_string(fd);
  return mount(source.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0;
}

bool placeKind(Kind kind, const std::string& path, int nullFd, int fullFd) {
  if (!makeParents(path))
    return false;
  switch (kind) {
    case Kind::nothing:
      return true;
    case Kind::regularFile: {
      const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
      return fd >= 0 && close(fd) == 0;
    }
    case Kind::fifo:
      return mkfifo(path.c_str(), 0666) == 0;
    case Kind::devNull:
      return bindDevice(nullFd, path);
    case Kind::devFull:
      return bindDevice(fullFd, path);
    case Kind::directory:
      return mkdir(path.c_str(), 0755) == 0;
  }
  return false;
}

// A private user and mount namespace whose /dev is an empty tmpfs with `kind` at the three
// device paths. False with the reason when the system does not allow it.
bool enterPrivateDev(Kind kind, std::string* why) {
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
    *why = std::string("unshare(CLONE_NEWUSER | CLONE_NEWNS): ") + std::strerror(errno);
    return false;
  }
  if (!writeProcFile("/proc/self/setgroups", "deny") ||
      !writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
      !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
    *why = std::string("writing the namespace's id maps: ") + std::strerror(errno);
    return false;
  }
  // Nothing mounted here may reach the machine's namespace.
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    *why = std::string("making / private: ") + std::strerror(errno);
    return false;
  }
  const int nullFd = open("/dev/null", O_PATH | O_CLOEXEC);
  const int fullFd = open("/dev/full", O_PATH | O_CLOEXEC);
  if (nullFd < 0 || fullFd < 0) {
    *why = "no /dev/null or /dev/full to start from";
    return false;
  }
  if (mount("none", "/dev", "tmpfs", 0, "mode=0755") != 0) {
    *why = std::string("mounting a tmpfs over /dev: ") + std::strerror(errno);
    return false;
  }
  bool placed = true;
  for (const char* path : kDevicePaths)
    placed = placed && placeKind(kind, path, nullFd, fullFd);
  close(nullFd);
  close(fullFd);
  if (!placed) {
    *why = std::string("setting up ") + kindName(kind) +
           " in the private /dev: " + std::strerror(errno);
    return false;
  }
  return true;
}

std::string openDescriptors() {
  std::vector<int> fds;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir)
    return "unknown";
  const int own = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != own)
      fds.push_back(std::atoi(entry->d_name));
  }
  closedir(dir);
  std::sort(fds.begin(), fds.end());
  std::string list;
  for (int fd : fds)
    list += (list.empty() ? "" : " ") + std::to_string(fd);
  return list;
}

// "<size> <non-zero bytes>" of a regular file, "none" for anything else (opening a FIFO here
// to look would block).
std::string fileSummary(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
    return "none";
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return "none";
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto nonZero = std::count_if(bytes.begin(), bytes.end(), [](char c) { return c != 0; });
  return std::to_string(bytes.size()) + " " + std::to_string(nonZero);
}

eCheckbox* soundBoxOfTheOpenWindow() {
  for (eWidget* widget : eWidget::topLevelWidgets()) {
    if (eWidget* box = widget->search("sound"))
      return dynamic_cast<eCheckbox*>(box);
  }
  return nullptr;
}

// Runs in the child: prints one "key value" line per observation on standard output.
int runInside(const std::string& kindText) {
  // Unbuffered, so a child that gets stuck has said how far it came.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  Kind kind = Kind::nothing;
  if (!kindNamed(kindText, &kind)) {
    std::printf("error unknown arrangement %s\n", kindText.c_str());
    return 1;
  }
  std::string why;
  if (!enterPrivateDev(kind, &why)) {
    std::printf("unavailable %s\n", why.c_str());
    return 0;
  }
  std::printf("fds-before %s\n", openDescriptors().c_str());

  eMainloop loop{eMainloop::Time::virtualTime};
  ScriptedInput input;
  eApp = &loop;
  loop.setInputDriver(&input);
  // The log calls its sink under its own lock, the tone thread's lines too.
  std::vector<std::string> lines;
  bool keep = false;
  debuglog::setSink([&](const std::string& line) {
    if (keep)
      lines.push_back(line);
  });

  // The five readers, on a satellite receiver without networks: the window stops before it
  // touches a device itself.
  {
    StandInReceiver empty;
    empty.install();
    my_eBeamseek window(eFrontend::getInstance());
    std::printf("readers %d %d %d %d %d\n", window.I2C_ReadByte(0x08),
                window.I2C_ReadByte(0x68, 0x00), window.I2C_GetUInt16(0x18),
                window.I2C_GetInt16(0x22), window.I2C_GetUInt24(0x1F));
    empty.uninstall();
  }

  // The loaded module: a satellite window, a few refreshes, "Sound" ticked, and its close.
  StandInReceiver receiver;
  receiver.fillDefaultSatellite();
  receiver.install();
  void* module = dlopen(VEVOVUVADO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  auto* entry = module ? reinterpret_cast<int (*)(void*)>(dlsym(module, "plugin_exec")) : nullptr;
  if (!entry) {
    std::printf("error cannot load the module: %s\n", dlerror());
    return 1;
  }
  keep = true;
  input.wait(600);
  input.run([] {
    if (eCheckbox* box = soundBoxOfTheOpenWindow())
      box->toggle();
  });
  // The tone thread sleeps on the real clock here: give it a few passes with sound on.
  input.run([] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); });
  input.wait(600);
  std::printf("plugin_exec %d\n", entry(nullptr));
  dlclose(module);
  receiver.uninstall();
  loop.setInputDriver(nullptr);
  eApp = nullptr;
  debuglog::setSink(nullptr);

  for (const std::string& line : lines)
    std::printf("log %s\n", line.c_str());
  std::printf("file-i2c %s\n", fileSummary(devpath::kI2cBus).c_str());
  std::printf("file-frontend %s\n", fileSummary(devpath::kFrontend).c_str());
  std::printf("file-audio %s\n", fileSummary(devpath::kAudio).c_str());
  std::printf("fds-after %s\n", openDescriptors().c_str());
  std::fflush(stdout);
  return 0;
}

// ---- The test: start the child, read its report, judge it. --------------------------------

struct Report {
  int exitCode = -1;
  bool finished = false;
  std::string output;  // everything the child wrote, for the failure message
  std::vector<std::string> log;
  std::string value(const std::string& key) const {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind(key + " ", 0) == 0)
        return line.substr(key.size() + 1);
      if (line == key)
        return "";
    }
    return "(missing)";
  }
  int logCount(const std::string& line) const {
    return static_cast<int>(std::count(log.begin(), log.end(), line));
  }
};

// Runs this program as the child for `kind`. Gives up after a minute: every open the module
// makes is non-blocking, so a child still running then is stuck in a blocking call.
Report runChild(Kind kind) {
  Report report;
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0)
    return report;
  self[length] = '\0';
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0)
    return report;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
  std::string kindArg = kindName(kind);
  std::string flag = kInsideFlag;
  char* const args[] = {self, flag.data(), kindArg.data(), nullptr};
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return report;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    pollfd readable{pipeFds[0], POLLIN, 0};
    if (left <= 0 || poll(&readable, 1, static_cast<int>(left)) == 0)
      break;
    const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      report.finished = true;
      break;
    }
    report.output.append(buffer, static_cast<size_t>(n));
  }
  close(pipeFds[0]);
  if (!report.finished)
    kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  report.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::istringstream lines(report.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("log ", 0) == 0)
      report.log.push_back(line.substr(4));
  }
  return report;
}

struct Arrangement {
  Kind kind;
  bool busOpens;    // O_RDWR | O_NONBLOCK succeeds on the bus and the frontend
  bool audioOpens;  // O_WRONLY | O_NONBLOCK succeeds on the audio device
};

// A FIFO opens for reading and writing without a peer, but write-only non-blocking with no
// reader fails (ENXIO); a directory opens for neither.
const Arrangement kArrangements[] = {
    {Kind::nothing, false, false}, {Kind::regularFile, true, true}, {Kind::fifo, true, false},
    {Kind::devNull, true, true},   {Kind::devFull, true, true},     {Kind::directory, false, false},
};

TEST(RealDevicePath, EveryArrangementFailsCleanlyAndClosesWhatItOpened) {
  const bool required = std::getenv("VEVOVUVADO_REQUIRE_NAMESPACES") != nullptr;
  for (const Arrangement& a : kArrangements) {
    SCOPED_TRACE(kindName(a.kind));
    const Report r = runChild(a.kind);
    ASSERT_TRUE(r.finished) << "the child blocked for a minute:\n" << r.output;
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const std::string unavailable = r.value("unavailable");
    if (unavailable != "(missing)") {
      if (required)
        FAIL() << "private namespaces are required here, but: " << unavailable;
      GTEST_SKIP() << "private user and mount namespaces are not allowed: " << unavailable;
    }

    // Every reader reports the failure as -1, whatever answered the open.
    EXPECT_EQ(r.value("readers"), "-1 -1 -1 -1 -1") << r.output;
    EXPECT_EQ(r.value("plugin_exec"), "0");
    // The failed identification counts as an STV0288.
    EXPECT_EQ(r.logCount("[Vevovuvado] kennung ffffffff"), 1);
    EXPECT_EQ(r.logCount("[Vevovuvado] STV0288"), 1);

    // The bus: when it opens, the address selection fails and is logged; nothing is written.
    EXPECT_EQ(r.logCount("i2c ioctl fehlgeschlagen -1") > 0, a.busOpens);
    // The frontend: a failed open logs both lines, a failed query only the second.
    const int ticks = r.logCount("Fehler bein FE_GET_FRONTEND");
    EXPECT_GE(ticks, 4) << "a few refreshes ran";
    EXPECT_EQ(r.logCount("eBeamseek::update() Fehler beim öffnen von DEMOD"),
              a.busOpens ? 0 : ticks);

    // The audio device.
    EXPECT_EQ(r.logCount("kein Sounddevice"), a.audioOpens ? 0 : 1);
    EXPECT_EQ(r.logCount("sound 1"), 1) << "the box was ticked";
    if (a.audioOpens) {
      EXPECT_EQ(r.logCount("Starte VevovuvadoSoundThread"), 1);
      EXPECT_EQ(r.logCount("beende VevovuvadoSoundThread"), 1);
    }
    if (a.kind == Kind::regularFile) {
      // Only the silent block of the set-up: without an answer to SNDCTL_DSP_GETODELAY the
      // tone thread never writes. Nothing goes onto the bus or into the frontend.
      EXPECT_EQ(r.value("file-audio"), "1024 0");
      EXPECT_EQ(r.value("file-i2c"), "0 0");
      EXPECT_EQ(r.value("file-frontend"), "0 0");
    }

    // No descriptor outlives the window.
    EXPECT_NE(r.value("fds-before"), "(missing)");
    EXPECT_EQ(r.value("fds-after"), r.value("fds-before"));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], kInsideFlag) == 0)
    return runInside(argv[2]);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
