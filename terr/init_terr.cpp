#include "plugin/my_ebeamseek.h"

void my_eBeamseek::InitTerr() {}
void my_eBeamseek::my_terr_satChanged(eListBoxEntryText*) {}
void my_eBeamseek::my_terr_tpChanged(eListBoxEntryText*) {}
