#include "plugin/my_ebeamseek.h"

void my_eBeamseek::InitSAT() {}
void my_eBeamseek::satChanged(eListBoxEntryText*) {}
void my_eBeamseek::tpChanged(eListBoxEntryText*) {}
