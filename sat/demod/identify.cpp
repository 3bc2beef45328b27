#include "identify.h"

#include "plugin/my_ebeamseek.h"
#include "register_map.h"

void identifySatelliteDemodulator(my_eBeamseek& w) {
  // A failed read (-1) has bit 7 set, so it counts as inverted.
  w.agcInverted = w.I2C_ReadByte(kSatDemodAddress, 0x0F) & 0x80;
  const int id = w.I2C_ReadByte(kSatDemodAddress, 0x00);
  eDebug("[Vevovuvado] kennung %x", static_cast<unsigned>(id));
  if (id == kStv0299bId) {
    eDebug("[Vevovuvado] STV0299B");
    w.demodType = 0;
  } else {
    eDebug("[Vevovuvado] STV0288");
    w.demodType = 1;
  }
}

void identifyTerrestrialDemodulator(my_eBeamseek& w) {
  const int id = w.I2C_ReadByte(kSecondDeviceAddress, 0x00);
  w.demodType = id == kTerrestrialDemodId ? 2 : -1;
}
