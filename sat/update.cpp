// One refresh of the satellite window: read the demodulator and the frontend, show what they
// say, set the tone's pitch, and arm the timer for the next refresh.

#include "frontend_query.h"
#include "measurement.h"
#include "plugin/my_ebeamseek.h"
#include "sat/demod/register_map.h"
#include "sat/selection.h"
#include "tone/tone.h"

namespace {
constexpr int kRefreshMs = 250;

// One set of register values as the readers returned them (-1 for a failed read).
struct DemodReadings {
  int status;
  int polarisation;
  int agc1;
  int symbolRate;
  int offset;
  int agc2;
  int errors;
  int noise;
};

void writePercent(eProgress* bar, int percent) {
  if (bar)
    bar->setPerc(percent);
}
void writeText(eWidget* widget, const eString& text) {
  if (widget)
    widget->setText(text);
}
void writeCheck(eCheckbox* box, bool on) {
  if (box)
    box->setCheck(on ? 1 : 0);
}
void writeLeftColor(eWidget* bar, const char* colorName) {
  if (bar)
    bar->setProperty("leftColor", colorName);
}
}  // namespace

void my_eBeamseek::update() {
  if (!currentTP) {
    refreshTimer.start(kRefreshMs, true);
    return;
  }
  const SatelliteChip& chip = satelliteChip(demodType);

  // Always in this order, each read its own open-select-read-close on the bus.
  DemodReadings r{};
  r.status = I2C_ReadByte(kSatDemodAddress, chip.statusRegister);
  r.polarisation = I2C_ReadByte(kSecondDeviceAddress);
  r.agc1 = I2C_ReadByte(kSatDemodAddress, chip.agc1Register);
  r.symbolRate = I2C_GetUInt24(chip.symbolRateRegister);
  r.offset = I2C_GetInt16(chip.offsetRegister);
  r.agc2 = I2C_GetUInt16(chip.agc2Register);
  r.errors = I2C_GetUInt16(chip.errorRegister);
  r.noise = I2C_GetUInt16(chip.noiseRegister);

  // A failed status or noise read would otherwise tick every box and show a perfect SNR with
  // the highest tone: a person aligning a dish by ear would believe it.
  const int status = statusOrNothing(r.status);
  const int noise = noiseOrWorst(r.noise);

  const double kSym = symbolRate(r.symbolRate, chip.symbolRateDivisor);
  const double snr = snrDb(noise);
  const int snrPct = snrPercent(snr);

  uint32_t intermediateKHz = 0;
  const bool haveFrequency = queryIntermediateFrequency(&intermediateKHz);

  // Without an LNB record the oscillator of the last tick that had one stays in effect.
  if (currentLNB) {
    currentLOF = static_cast<int>(chooseLOF(*currentLNB, currentTP->satellite.frequency));
  }

  const int p1 = agc1Percent(r.agc1, agcInverted);
  writeText(agc1Num, eString::sprintf("%d%%", p1));
  writePercent(agc1Bar, p1);

  const int p2 = agc2Percent(r.agc2);
  writePercent(agcBar, p2);

  switch (snrBand(snr)) {
    case SnrBand::green:
      if (snrNum)
        snrNum->setForegroundColor(greenColor, true);
      writeLeftColor(snrBar, "std_green");
      snrBlink = 0;
      break;
    case SnrBand::yellow:
      if (snrNum)
        snrNum->setForegroundColor(yellowColor, true);
      writeLeftColor(snrBar, "std_dyellow");
      snrBlink = 0;
      break;
    case SnrBand::red:
      if (snrNum)
        snrNum->setForegroundColor(redColor, true);
      writeLeftColor(snrBar, "std_red");
      snrBlink = 0;
      break;
    case SnrBand::blinking:
      // The bar keeps the colour of the last tick above -1 dB; only the number blinks.
      if (snrNum)
        snrNum->setForegroundColor(blinkShowsRed(snrBlink) ? redColor : magentaColor, true);
      snrBlink = nextBlinkPhase(snrBlink);
      break;
  }

  snr_sound.store(snrTone(snr), std::memory_order_relaxed);
  writePercent(snrBar, snrBarPercent(snrPct));
  writePercent(berBar, berBarPercent(r.errors));

  const char* pol = polarisationLetter(r.polarisation);
  if (haveFrequency) {
    const double mhz = receivedMHz(currentLOF, intermediateKHz, r.offset, chip.offsetClockKHz);
    writeText(freqNum, eString::sprintf("% 5.3f MHz/%s", mhz, pol));
  } else {
    // No number at all: any figure here would be taken for where the dish points.
    writeText(freqNum, eString::sprintf(" ----- MHz/%s", pol));
  }

  writeText(snrNum, eString::sprintf("%2.1fdB", snr));
  writeText(agcNum, eString::sprintf("%d%%", p2));
  writeText(berNum, eString::sprintf("%d", r.errors));
  writeText(offsetNum, eString::sprintf("% 2.3f MHz", offsetMHz(r.offset)));
  writeText(symNum, eString::sprintf("% 2.3f kSym", kSym / 1000));

  const int marker = offsetBarPosition(r.offset);
  writeLeftColor(offsetBar, offsetBarColor(marker));
  if (offsetBar)
    offsetBar->setStart(marker - 1);

  const LockState lock = lockState(status);
  writeCheck(lockBox, lock.lock);
  writeCheck(fecBox, lock.fec);
  writeCheck(syncBox, lock.sync);
  writeText(fecBox, fecCaption(chip, status));

  refreshTimer.start(kRefreshMs, true);
}
