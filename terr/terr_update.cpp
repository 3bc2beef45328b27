#include "plugin/my_ebeamseek.h"

void my_eBeamseek::my_terr_update() { refreshTimer.start(250, true); }
