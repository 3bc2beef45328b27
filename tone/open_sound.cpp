#include "plugin/my_ebeamseek.h"
#include "tone.h"

void my_eBeamseek::OpenSound() {}
void my_eBeamseek::SoundOnOff(int) {}
