#pragma once
// The finder window: one modal window that tunes a chosen transponder and shows its signal
// quality. Satellite mode (InitSAT, update, ...) lives in sat/, terrestrial mode in terr/, the
// tone in tone/; this class ties them together.

#include "host/host.h"

class my_eBeamseek : public eWindow {
 public:
  explicit my_eBeamseek(eFrontend* fe);
  ~my_eBeamseek() override;

  int eventHandler(const eWidgetEvent& event) override;

  // --- Skin colours, looked up once by the constructor ---
  gColor grayColor;     // "std_gray+7": foreground in the compact layout
  gColor redColor;      // "std_red"
  gColor greenColor;    // "std_green"
  gColor yellowColor;   // "std_dyellow"
  gColor magentaColor;  // "std_dmagenta": SNR blink colour

  // --- Widget roster: owned by the widget tree; empty when the mode or layout lacks them ---
  eProgress* snrBar = nullptr;      // "snr"
  eProgress* terrAgcBar = nullptr;  // "agc", terrestrial
  eProgress* agc1Bar = nullptr;     // "agc1"
  eProgress* agcBar = nullptr;      // "agc", satellite
  eProgress* berBar = nullptr;      // "ber"
  eProgress* offsetBar = nullptr;   // "tuner_offset"
  eLabel* tunerCaption = nullptr;
  eLabel* berCaption = nullptr;
  eLabel* snrCaption = nullptr;
  eLabel* lnbOffsetCaption = nullptr;
  eLabel* plusCaption = nullptr;
  eLabel* minusCaption = nullptr;
  eLabel* agc1Caption = nullptr;
  eLabel* agc2Caption = nullptr;
  eLabel* snrNum = nullptr;       // "snr_num"
  eLabel* terrAgcNum = nullptr;   // "agc_num", terrestrial
  eLabel* agcNum = nullptr;       // "agc_num", satellite
  eLabel* agc1Num = nullptr;      // "agc1_num"
  eLabel* berNum = nullptr;       // "ber_num"
  eLabel* freqNum = nullptr;      // "freq_num"
  eLabel* offsetNum = nullptr;    // "toffs_num"
  eLabel* symNum = nullptr;       // "sym_num"
  eCheckbox* syncBox = nullptr;   // "sync"
  eCheckbox* fecBox = nullptr;    // "fec"
  eCheckbox* lockBox = nullptr;   // "lock"
  eCheckbox* soundBox = nullptr;  // "sound"
  eComboBox* satCombo = nullptr;  // "sat" (terrestrial: regions)
  eComboBox* tpCombo = nullptr;   // "transponder" (terrestrial: channels)

  // Single-shot, 250 ms: drives the measurement; every measurement starts it again.
  eTimer refreshTimer;
  eButton* switchButton = nullptr;  // unplaced; its shortcut "green" toggles the compact layout
  eFrontend* frontend;
  eTransponder* currentTP = nullptr;  // selected and tuned by the finder
  eTransponder* oldTp = nullptr;      // playing when the window opened; tuned again at close
  eLNB* currentLNB = nullptr;
  eSatellite* currentSatellite = nullptr;
  int feStatus = 0;      // last frontend status word (terrestrial)
  int currentLOF = 0;    // kHz, oscillator in effect for currentTP
  int snrBlink = 0;      // blink phase of the SNR number
  int agcInverted = 0;   // 0 or 0x80
  int compactView = 0;   // 0 full layout, 1 compact
  int windowWidth = 0;   // client width of the satellite layout, pixels
  int windowHeight = 0;  // client height of the satellite layout, pixels
  int demodType = 0;     // 0 STV0299B, 1 STV0288, 2 terrestrial found, -1 not found

  // --- Modes ---
  void InitSAT();
  void InitTerr();

  // --- Satellite slots ---
  void update();
  void satChanged(eListBoxEntryText* entry);
  void tpChanged(eListBoxEntryText* entry);
  void SwichtSkinExec();

  // --- Terrestrial slots ---
  void my_terr_update();
  void my_terr_satChanged(eListBoxEntryText* entry);
  void my_terr_tpChanged(eListBoxEntryText* entry);
  void my_terr_tunedIn(eTransponder* tp, int error);

  // --- Small slots of the window ---
  void satSelected();
  void tpSelected();
  void LostFocus(const eWidget* w);
  void RotorRunning(int);
  void tunedIn(eTransponder* tp, int error);

  // --- Tone ---
  void OpenSound();
  void SoundOnOff(int);

  // --- Demodulator registers over I2C: the value, or -1 on any failure ---
  int I2C_ReadByte(unsigned long addr);                     // plain one-byte read
  int I2C_ReadByte(unsigned long addr, unsigned char reg);  // 0..255
  int I2C_GetUInt16(unsigned char reg);                     // device 0x68, 0..65535
  int I2C_GetInt16(unsigned char reg);                      // device 0x68, -32768..32767
  int I2C_GetUInt24(unsigned char reg);                     // device 0x68, 0..16777215
};
