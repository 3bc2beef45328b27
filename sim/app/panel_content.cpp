#include "panel_content.h"

#include <cmath>
#include <cstdlib>
#include <set>

#include "estring.h"
#include "panel_layout.h"
#include "readings/finder_readout.h"
#include "readings/tone_pitch.h"

namespace {
const char* const kDegree = "\xC2\xB0";

std::string orbitalName(int position) {
  return eString::sprintf("%.1f%c", std::abs(position) / 10.0, position < 0 ? 'W' : 'E');
}

std::string title(const Profile& p) {
  switch (finderMode(p)) {
    case FinderMode::satellite:
      return std::string("Satellite receiver \xC2\xB7 ") + demodChipName(p.demodulator);
    case FinderMode::terrestrial:
      return "Terrestrial receiver";
    case FinderMode::none:
      break;
  }
  return p.frontendType == 1 ? "Cable receiver"
                             : eString::sprintf("Receiver of type %d", p.frontendType);
}

std::string tuned(const SignalModel::Report& r) {
  if (!r.hasTransponder)
    return "nothing";
  if (r.transponder.satellite.valid) {
    const auto& s = r.transponder.satellite;
    return eString::sprintf("%u MHz %c  %u kSym  %s", s.frequency / 1000,
                            s.polarisation == 0 ? 'H' : 'V', s.symbol_rate / 1000,
                            orbitalName(s.orbital_position).c_str());
  }
  if (r.transponder.terrestrial.valid)
    return eString::sprintf("%.3f MHz", r.transponder.terrestrial.centre_frequency / 1e6);
  return eString::sprintf("%.3f MHz", r.transponder.cable.frequency / 1e3);
}

// How far the dish is off what it is tuned to: another satellite lies further along in azimuth.
double offTuned(const PanelInputs& in) {
  double az = in.azimuthDeg;
  const auto& s = in.model.transponder.satellite;
  if (finderMode(*in.profile) == FinderMode::satellite && in.model.hasTransponder && s.valid)
    az -= (s.orbital_position - in.profile->signal.aimedPosition) / 10.0;
  return std::hypot(az, in.elevationDeg);
}

std::string carrier(const PanelInputs& in) {
  if (in.model.tuning)
    return "tuning";
  if (in.model.locked)
    return "locked";
  return eString::sprintf("no lock (needs %.1f dB)", in.profile->signal.lockThresholdDb);
}

std::string tone(const PanelInputs& in) {
  if (!in.profile->audioDevice)
    return "no audio device";
  if (!boxTicked(in.finder, "sound"))
    return "off (tick Sound)";
  if (!in.audioOpen)
    return "not playing";
  const int step = in.lastReading && in.lastReading->hasSnrSound ? in.lastReading->snrSound : 0;
  return step > 0 ? eString::sprintf("%.0f Hz (step %d)", pitchHz(step), step) : "silent (no SNR)";
}

StripChartView chart(const PanelInputs& in) {
  const Profile& p = *in.profile;
  StripChartView c;
  // The minute up to the newest reading: the chart moves on at each refresh, not each frame.
  const auto& recent = in.history->recent();
  const double newest = recent.empty() ? 0 : recent.back().timeMs;
  c.fromMs = std::max(0.0, newest - ReadingsHistory::kRecentMs);
  c.toMs = c.fromMs + ReadingsHistory::kRecentMs;
  c.dbMin = std::floor(std::min(0.0, p.signal.lockThresholdDb - 3) / 5) * 5;
  c.dbMax = std::ceil((p.signal.peakSnrDb + 3) / 5) * 5;
  c.lockThresholdDb = p.signal.lockThresholdDb;
  c.shownInPercent = finderMode(p) == FinderMode::terrestrial;
  c.hasPitchLane = finderMode(p) == FinderMode::satellite && p.audioDevice;
  c.pitchMaxHz = pitchHz(192);
  c.points.assign(in.history->recent().begin(), in.history->recent().end());
  return c;
}

PointingView pointing(const PanelInputs& in) {
  const Profile& p = *in.profile;
  PointingView v;
  v.azimuthDeg = in.azimuthDeg;
  v.elevationDeg = in.elevationDeg;
  v.beamwidthDeg = p.signal.beamwidthDeg;
  v.spanDeg = pointingSpanDeg(std::hypot(in.azimuthDeg, in.elevationDeg), v.beamwidthDeg);
  if (finderMode(p) != FinderMode::satellite) {
    v.centreLabel = "transmitter";
    return v;
  }
  v.centreLabel = orbitalName(p.signal.aimedPosition);
  std::set<int> positions;
  for (const LnbSpec& lnb : p.lnbs) {
    for (const LnbSpec::Satellite& s : lnb.satellites)
      positions.insert(s.orbitalPosition);
  }
  for (const NetworkSpec& n : p.networks)
    positions.insert(n.orbitalPosition);
  for (int position : positions) {
    if (position != p.signal.aimedPosition)
      v.marks.push_back({(position - p.signal.aimedPosition) / 10.0, 0, orbitalName(position)});
  }
  return v;
}

std::vector<LegendRow> legend(const Profile& p) {
  switch (finderMode(p)) {
    case FinderMode::satellite:
      return {{"\xE2\x86\x91 \xE2\x86\x93", "move between the lists and Sound"},
              {"Enter", "open a list, take an entry, tick Sound"},
              {"\xE2\x86\x90 \xE2\x86\x92", "previous or next entry of a list"},
              {"Esc", "close a list, or quit"},
              {"F2 g", "green key: compact view and back"},
              {"W A S D", "move the dish (Shift: finer)"},
              {"P", "forget the best reading"}};
    case FinderMode::terrestrial:
      return {{"\xE2\x86\x91 \xE2\x86\x93", "move between the lists"},
              {"Enter", "open a list, take an entry"},
              {"\xE2\x86\x90 \xE2\x86\x92", "previous or next entry of a list"},
              {"Esc", "close a list, or quit"},
              {"W A S D", "aim the antenna (Shift: finer)"},
              {"P", "forget the best reading"}};
    case FinderMode::none:
      break;
  }
  return {{"Enter Esc", "dismiss the message box"}, {"Esc", "then close the finder"}};
}
}  // namespace

FinderMode finderMode(const Profile& profile) {
  switch (profile.frontendType) {
    case 0:
      return FinderMode::satellite;
    case 2:
      return FinderMode::terrestrial;
    default:
      return FinderMode::none;
  }
}

bool hasDish(const Profile& profile) {
  return finderMode(profile) != FinderMode::none;
}

std::string shownSnrUnit(const Profile& profile) {
  return finderMode(profile) == FinderMode::terrestrial ? "%" : "dB";
}

PanelView buildPanel(const PanelInputs& in) {
  const Profile& p = *in.profile;
  PanelView view;
  view.title = title(p);
  view.legend = legend(p);
  const FinderMode mode = finderMode(p);
  if (mode == FinderMode::none) {
    view.rows.push_back({"Finder", "not for this receiver: see its message"});
    return view;
  }
  view.rows.push_back({"Tuned", tuned(in.model)});
  view.rows.push_back({mode == FinderMode::satellite ? "Dish" : "Antenna",
                       eString::sprintf("az %+.2f%s  el %+.2f%s  %.2f%s off", in.azimuthDeg,
                                        kDegree, in.elevationDeg, kDegree, offTuned(in), kDegree)});
  view.rows.push_back({"Signal", eString::sprintf("loss %.1f dB, true SNR %.1f dB", in.model.lossDb,
                                                  in.model.snrDb)});
  if (in.finder && in.finder->search("lock"))
    view.rows.push_back({"Carrier", carrier(in)});
  if (mode == FinderMode::satellite)
    view.rows.push_back({"Tone", tone(in)});
  view.rows.push_back({"Peak", peakText(*in.peak, shownSnrUnit(p))});
  view.chart = chart(in);
  view.pointing = pointing(in);
  return view;
}
