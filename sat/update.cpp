#include "plugin/my_ebeamseek.h"

void my_eBeamseek::update() { refreshTimer.start(250, true); }
