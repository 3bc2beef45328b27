#pragma once
// A terrestrial receiver for the finder tests: two regions with their channels, the service
// playing the second channel of the first region, and a terrestrial demodulator on the bus.

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "plugin/my_ebeamseek.h"
#include "support/finder_fixture.h"

class TerrFixture : public HostFixture {
 protected:
  static constexpr int kTerrestrialDemodAddress = 0x08;

  TerrFixture() {
    receiver.setFrontendType(eFrontend::feTerrestrial);
    receiver.setReceptionType(2);
    devices.i2c.setRegister(kTerrestrialDemodAddress, 0x00, 70);
  }

  // "Berlin": 474, 482 and 490 MHz; "Hamburg": 506 MHz. The service plays 482 MHz.
  void fillRegions() {
    tpPacket& berlin = receiver.addNetwork("Berlin", 0);
    receiver.addTerrestrialTransponder(berlin, 474000000);
    receiver.addTerrestrialTransponder(berlin, 482000000);
    receiver.addTerrestrialTransponder(berlin, 490000000);
    tpPacket& hamburg = receiver.addNetwork("Hamburg", 0);
    receiver.addTerrestrialTransponder(hamburg, 506000000);
    receiver.setCurrentTransponder(channel(0, 1));
  }

  // The `index`th channel of the `region`th network, as the host holds it.
  eTransponder& channel(int region, int index) {
    auto network = receiver.networks().begin();
    std::advance(network, region);
    auto tp = network->possibleTransponders.begin();
    std::advance(tp, index);
    return *tp;
  }

  std::unique_ptr<my_eBeamseek> openWindow() {
    return std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  }

  static std::vector<std::string> entryTexts(const eComboBox& box) {
    std::vector<std::string> texts;
    for (const eListBoxEntryText* entry : box.getEntries())
      texts.push_back(entry->getText());
    return texts;
  }

  // Lines of the terrestrial measurement in the log.
  static int refreshLines() {
    int count = 0;
    for (const std::string& line : log()) {
      if (line.rfind("[Beamseek] SNR ", 0) == 0 && line.find("AGC") != std::string::npos)
        ++count;
    }
    return count;
  }
};
