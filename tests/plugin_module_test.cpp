// The built module as the host sees it: loaded with dlopen, entered through plugin_exec, and
// exporting nothing else of ours.

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/finder_fixture.h"

namespace {

using PluginExec = int (*)(void*);

class ModuleTest : public HostFixture {
 protected:
  void SetUp() override {
    handle = dlopen(VEVOVUVADO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    entry = reinterpret_cast<PluginExec>(dlsym(handle, "plugin_exec"));
    ASSERT_NE(entry, nullptr) << dlerror();
  }
  void TearDown() override {
    if (handle)
      dlclose(handle);
  }
  void* handle = nullptr;
  PluginExec entry = nullptr;
};

TEST_F(ModuleTest, PluginExecRunsTheFinderOnTheHostFrontend) {
  receiver.setFrontendType(eFrontend::feCable);
  input.key(eKey::ok);  // dismisses the message box; then the empty window closes on exit
  EXPECT_EQ(entry(nullptr), 0);
  ASSERT_EQ(eMessageBox::messageBoxes().size(), 1u);
  EXPECT_EQ(eMessageBox::messageBoxes()[0].caption, "Sorry");
  EXPECT_EQ(receiver.savePowerCount(), 1);
  EXPECT_TRUE(eWidget::topLevelWidgets().empty()) << "the window never outlives the call";
  EXPECT_EQ(devices.openDescriptors(), 0);
}

TEST_F(ModuleTest, ModalLoopStartsAndStopsTheRefresh) {
  receiver.fillDefaultSatellite();
  devices.i2c.setRegister(0x68, 0x00, 0xA1);
  devices.audio.setPresent(false);
  input.wait(1000);
  EXPECT_EQ(entry(nullptr), 0);
  EXPECT_GT(devices.i2c.opensInAll(), 0) << "the loaded module found the models behind its seam";
  EXPECT_EQ(devices.openDescriptors(), 0) << "every device closed on every path";
  EXPECT_TRUE(eWidget::topLevelWidgets().empty());
}

TEST_F(ModuleTest, ExportsOnlyPluginExec) {
  const std::string command = std::string("nm -D --defined-only ") + VEVOVUVADO_MODULE_PATH;
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<std::string> exported;
  char line[512];
  while (fgets(line, sizeof line, pipe)) {
    // "<address> <type> <name>"
    char type = 0;
    char name[400] = {0};
    if (sscanf(line, "%*s %c %399s", &type, name) == 2)
      exported.emplace_back(name);
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(exported, std::vector<std::string>{"plugin_exec"});
}

}  // namespace
