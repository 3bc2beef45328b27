// One refresh of the terrestrial window: frontend readings and the demodulator's SNR register
// to bars, numbers and check boxes, then the next refresh 250 ms later.

#include "plugin/my_ebeamseek.h"
#include "sat/demod/register_map.h"
#include "terr_measurement.h"

namespace {
constexpr unsigned char kTerrestrialSnrRegister = 0x1C;
constexpr long kRefreshMs = 250;
}  // namespace

void my_eBeamseek::my_terr_update() {
  const int snr = frontend->SNR();
  const int sig = frontend->SignalStrength();
  const int ber = frontend->BER();
  // The widgets still show the previous refresh here, so one line compares old and new.
  eDebug("[Beamseek] SNR %d(%s) AGC %d(%s) BER %d(%s) %s %s", snr, snrNum->getText().c_str(), sig,
         terrAgcNum->getText().c_str(), ber, berNum->getText().c_str(),
         lockBox->isChecked() ? "LOCK" : "NOLOCK", syncBox->isChecked() ? "SYNC" : "NOSYNC");

  // The shown SNR is the demodulator's own figure; SNR() above only goes into the log.
  const int q = I2C_ReadByte(kSecondDeviceAddress, kTerrestrialSnrRegister);
  const int agcPercent = terrAgcPercent(sig);
  const int snrPercent = terrSnrPercent(q);

  terrAgcBar->setPerc(agcPercent);
  snrBar->setPerc(snrPercent);
  berBar->setPerc(terrBerBar(ber));

  snrNum->setText(eString::sprintf("%d%%", snrPercent));
  terrAgcNum->setText(eString::sprintf("%d%%", agcPercent));
  berNum->setText(eString::sprintf("%d", ber));

  feStatus = static_cast<int>(frontend->Status());
  const unsigned status = static_cast<unsigned>(feStatus);
  lockBox->setCheck(terrLockFromStatus(status));
  syncBox->setCheck(terrSyncFromStatus(status));

  eDebug("[Beamseek] SNR %d", snrPercent);
  refreshTimer.start(kRefreshMs, true);
}
