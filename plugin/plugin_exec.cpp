// The module's one exported symbol: the host calls plugin_exec to run the finder.

#include "my_ebeamseek.h"

extern "C" __attribute__((visibility("default"))) int plugin_exec(void* /*context*/) {
  my_eBeamseek finder(eFrontend::getInstance());
  finder.show();
  finder.exec();
  finder.hide();
  return 0;
}
