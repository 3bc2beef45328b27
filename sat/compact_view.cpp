#include "plugin/my_ebeamseek.h"

void my_eBeamseek::SwichtSkinExec() {}
