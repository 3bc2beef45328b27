// The selection rules: transponder equality, entry texts, the oscillator choice, the listing
// rule and the configured positions.

#include <climits>
#include <functional>

#include "sat/selection.h"
#include "support/finder_fixture.h"

namespace {

eTransponder satelliteTp() {
  eTransponder tp;
  tp.satellite.valid = 1;
  tp.satellite.frequency = 11836000;
  tp.satellite.symbol_rate = 27500000;
  tp.satellite.polarisation = 0;
  tp.satellite.fec = 3;
  tp.satellite.inversion = 0;
  tp.satellite.orbital_position = 192;
  return tp;
}

eTransponder cableTp() {
  eTransponder tp;
  tp.cable = {1, 346000, 6900000, 3, 0, 0};
  return tp;
}

eTransponder terrestrialTp() {
  eTransponder tp;
  tp.terrestrial = {1, 474000000, 0, 1, 2, 3, 1, 2, 0, 0};
  return tp;
}

using Change = std::function<void(eTransponder&)>;
const Change kSame = [](eTransponder&) {};

struct EqualityCase {
  const char* what;
  eTransponder (*base)();
  Change changeA;
  Change changeB;
  bool equal;
};

const EqualityCase kEqualityCases[] = {
    {"identical satellite", satelliteTp, kSame, kSame, true},
    {"frequency 3000 apart", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.frequency += 3000; }, true},
    {"frequency 3001 apart", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.frequency += 3001; }, false},
    {"frequency 3001 below", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.frequency -= 3001; }, false},
    {"symbol rate 4000 apart", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.symbol_rate += 4000; }, true},
    {"symbol rate 4001 apart", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.symbol_rate += 4001; }, false},
    {"inversion 2 against 0", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.inversion = 2; }, true},
    {"inversion 1 against 0", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.inversion = 1; }, false},
    {"orbital positions 5 apart", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.orbital_position += 5; }, true},
    {"orbital positions 6 apart", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.orbital_position += 6; }, false},
    {"orbital positions 6 below", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.orbital_position -= 6; }, false},
    {"polarisation differs", satelliteTp, kSame,
     [](eTransponder& t) { t.satellite.polarisation = 1; }, false},
    {"FEC differs", satelliteTp, kSame, [](eTransponder& t) { t.satellite.fec = 4; }, false},
    {"valid flags both set but different", satelliteTp, kSame,
     [](eTransponder& t) {
       t.satellite.valid = 2;
       t.cable = cableTp().cable;
     },
     false},
    {"satellite rule decides before cable", satelliteTp,
     [](eTransponder& t) { t.cable = cableTp().cable; },
     [](eTransponder& t) {
       t.cable = cableTp().cable;
       t.cable.frequency = 1;
     },
     true},
    {"ids equal, frequencies far apart", satelliteTp,
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = 1051;
     },
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = 1051;
       t.satellite.frequency = 10700000;
     },
     true},
    {"ids differ, parameters equal", satelliteTp,
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = 1051;
     },
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = 1052;
     },
     false},
    {"one id unknown: parameters decide, equal", satelliteTp,
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = 1051;
     },
     [](eTransponder& t) {
       t.original_network_id = -1;
       t.transport_stream_id = 9;
     },
     true},
    {"one id unknown: parameters decide, different", satelliteTp,
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = -1;
     },
     [](eTransponder& t) {
       t.original_network_id = 1;
       t.transport_stream_id = 1051;
       t.satellite.frequency += 5000;
     },
     false},
    {"no kind valid on both sides", satelliteTp, kSame,
     [](eTransponder& t) {
       t.satellite = {};
       t.terrestrial = terrestrialTp().terrestrial;
     },
     true},
    {"nothing valid at all", []() { return eTransponder(); }, kSame,
     [](eTransponder& t) { t.satellite.frequency = 99; }, true},
    {"identical cable", cableTp, kSame, kSame, true},
    {"cable modulation differs", cableTp, kSame, [](eTransponder& t) { t.cable.modulation = 5; },
     false},
    {"cable inversion 2 is not automatic", cableTp, kSame,
     [](eTransponder& t) { t.cable.inversion = 2; }, false},
    {"identical terrestrial", terrestrialTp, kSame, kSame, true},
    {"terrestrial centre frequency differs", terrestrialTp, kSame,
     [](eTransponder& t) { t.terrestrial.centre_frequency += 1; }, false},
    {"terrestrial guard interval differs", terrestrialTp, kSame,
     [](eTransponder& t) { t.terrestrial.guard_interval = 3; }, false},
    {"terrestrial hierarchy differs", terrestrialTp, kSame,
     [](eTransponder& t) { t.terrestrial.hierarchy_information = 1; }, false},
    {"terrestrial inversion 2 against 1", terrestrialTp, kSame,
     [](eTransponder& t) { t.terrestrial.inversion = 2; }, true},
    {"terrestrial inversion 1 against 0", terrestrialTp, kSame,
     [](eTransponder& t) { t.terrestrial.inversion = 1; }, false},
    // The differences are 32-bit subtractions: they wrap, so values at both ends of the range
    // are close, and half the range apart is as far as two values get.
    {"frequencies 2000 and UINT_MAX are 2001 apart", satelliteTp,
     [](eTransponder& t) { t.satellite.frequency = 2000; },
     [](eTransponder& t) { t.satellite.frequency = UINT_MAX; }, true},
    {"frequencies 3000 and UINT_MAX are 3001 apart", satelliteTp,
     [](eTransponder& t) { t.satellite.frequency = 3000; },
     [](eTransponder& t) { t.satellite.frequency = UINT_MAX; }, false},
    {"frequencies 2^31 apart", satelliteTp, [](eTransponder& t) { t.satellite.frequency = 0; },
     [](eTransponder& t) { t.satellite.frequency = 0x80000000u; }, false},
    {"symbol rates at the top of the range", satelliteTp,
     [](eTransponder& t) { t.satellite.symbol_rate = UINT_MAX - 4000; },
     [](eTransponder& t) { t.satellite.symbol_rate = UINT_MAX; }, true},
    {"symbol rates wrap past zero", satelliteTp,
     [](eTransponder& t) { t.satellite.symbol_rate = 1000; },
     [](eTransponder& t) { t.satellite.symbol_rate = UINT_MAX - 2999; }, true},
    {"orbital positions INT_MIN and INT_MAX are 1 apart", satelliteTp,
     [](eTransponder& t) { t.satellite.orbital_position = INT_MIN; },
     [](eTransponder& t) { t.satellite.orbital_position = INT_MAX; }, true},
    {"orbital positions INT_MIN and INT_MAX - 5 are 6 apart", satelliteTp,
     [](eTransponder& t) { t.satellite.orbital_position = INT_MIN; },
     [](eTransponder& t) { t.satellite.orbital_position = INT_MAX - 5; }, false},
    {"orbital positions 2^31 apart", satelliteTp,
     [](eTransponder& t) { t.satellite.orbital_position = INT_MIN; },
     [](eTransponder& t) { t.satellite.orbital_position = 0; }, false},
};

TEST(TransponderEquality, FirstApplicableRuleDecidesBothWays) {
  for (const EqualityCase& c : kEqualityCases) {
    SCOPED_TRACE(c.what);
    eTransponder a = c.base();
    eTransponder b = c.base();
    c.changeA(a);
    c.changeB(b);
    EXPECT_EQ(transpondersEqual(a, b), c.equal);
    EXPECT_EQ(transpondersEqual(b, a), c.equal);
  }
}

struct EntryTextCase {
  const char* what;
  unsigned frequency;
  unsigned symbolRate;
  int polarisation;
  int centreFrequency;
  int receptionType;
  const char* text;  // nullptr: no entry
};

const EntryTextCase kEntryTexts[] = {
    {"horizontal", 11836000, 27500000, 0, 0, 0, "11836 / 27500 / H"},
    {"vertical", 11836000, 27500000, 1, 0, 0, "11836 / 27500 / V"},
    {"any non-zero polarisation is vertical", 11836000, 27500000, 3, 0, 0, "11836 / 27500 / V"},
    {"divisions truncate", 11836999, 27500999, 0, 0, 0, "11836 / 27500 / H"},
    {"terrestrial", 0, 0, 0, 474000000, 2, "474000 kHz"},
    {"terrestrial truncates toward zero", 0, 0, 0, -474999, 2, "-474 kHz"},
    {"satellite text ignores the centre frequency", 10744000, 22000000, 0, 474000000, 0,
     "10744 / 22000 / H"},
    {"cable receiver", 11836000, 27500000, 0, 474000000, 1, nullptr},
    {"unknown receiver", 11836000, 27500000, 0, 474000000, 7, nullptr},
};

TEST(TransponderEntryText, FollowsTheReceptionType) {
  for (const EntryTextCase& c : kEntryTexts) {
    SCOPED_TRACE(c.what);
    eTransponder tp;
    tp.satellite.frequency = c.frequency;
    tp.satellite.symbol_rate = c.symbolRate;
    tp.satellite.polarisation = c.polarisation;
    tp.terrestrial.centre_frequency = c.centreFrequency;
    eString text = "untouched";
    EXPECT_EQ(transponderEntryText(tp, c.receptionType, &text), c.text != nullptr);
    EXPECT_EQ(text, c.text ? c.text : "untouched");
  }
}

struct LofCase {
  unsigned threshold;
  unsigned frequency;
  unsigned expected;
};

const LofCase kLofCases[] = {
    {11700000, 11700000, 9750000},   // at the threshold: low band
    {11700000, 11700001, 10600000},  // 1 kHz above: high band
    {11700000, 10700000, 9750000},        {11700000, 12750000, 10600000},
    {0x80000000u, 0x7FFFFFFFu, 9750000},  // compared unsigned, not as negative numbers
    {0x80000000u, 0xFFFFFFFFu, 10600000},
};

TEST(LofChoice, HighBandOnlyStrictlyAboveTheThreshold) {
  for (const LofCase& c : kLofCases) {
    SCOPED_TRACE(c.frequency);
    eLNB lnb;
    lnb.lof_hi = 10600000;
    lnb.lof_lo = 9750000;
    lnb.lof_threshold = c.threshold;
    EXPECT_EQ(chooseLOF(lnb, c.frequency), c.expected);
  }
}

struct ListingCase {
  const char* what;
  int networkPosition;
  int receptionType;
  bool hasCurrent;
  int currentPosition;
  bool listed;
  bool candidate;
};

const ListingCase kListingCases[] = {
    {"configured, satellite receiver", 192, 0, true, 192, true, true},
    {"configured, current elsewhere", 192, 0, true, 130, true, false},
    {"configured, one tenth away", 192, 0, true, 191, true, false},
    {"configured, nothing current", 192, 0, false, 0, true, false},
    {"unconfigured, satellite receiver (never offered)", 282, 0, true, 282, false, true},
    {"unconfigured, terrestrial receiver", 282, 2, true, 282, true, false},
    {"unconfigured, other receiver", 282, 1, false, 0, true, false},
};

TEST(ListingRule, ConfiguredPositionsOrAnyNonSatelliteReceiver) {
  ConfiguredPositions positions;
  eSatellite sat;
  positions[192] = &sat;
  positions[130] = &sat;
  for (const ListingCase& c : kListingCases) {
    SCOPED_TRACE(c.what);
    tpPacket network;
    network.orbital_position = c.networkPosition;
    eTransponder current;
    current.satellite.orbital_position = c.currentPosition;
    EXPECT_EQ(isListed(network, positions, c.receptionType), c.listed);
    EXPECT_EQ(isCurrentCandidate(network, c.receptionType, c.hasCurrent ? &current : nullptr),
              c.candidate);
  }
}

class ConfiguredPositionsTest : public HostFixture {};

TEST_F(ConfiguredPositionsTest, LaterSatelliteAtTheSamePositionReplacesTheEarlier) {
  eLNB& first = receiver.addLNB(10600000, 9750000, 11700000);
  receiver.addSatellite(first, 192, "first");
  receiver.addSatellite(first, 130, "hot bird");
  eLNB& second = receiver.addLNB(10600000, 9750000, 11700000);
  eSatellite& later = receiver.addSatellite(second, 192, "later");
  const ConfiguredPositions positions = configuredPositions();
  ASSERT_EQ(positions.size(), 2u);
  EXPECT_EQ(positions.at(192), &later);
  EXPECT_EQ(positions.at(130)->getDescription(), "hot bird");
}

TEST_F(ConfiguredPositionsTest, NoLnbsMeansNoPositions) {
  EXPECT_TRUE(configuredPositions().empty());
}

}  // namespace
