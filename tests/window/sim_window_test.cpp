// The simulator's window as a person uses it: started on a (virtual) X display, driven with
// real key presses through the X server, and looked at in screenshots of the window. The dish
// keys must move the pointing view's dot and the readings, the chart must show the SNR rising
// and the lock, the green key must change the finder, and the panel must follow the window's
// size. Needs DISPLAY, xdotool and xwd; the CI step runs it under Xvfb.
//
// The screenshots are kept as PNG files in $VEVOVUVADO_SHOTS (default: a fresh folder under
// /tmp), and their paths are printed.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "panel_painter.h"
#include "screen_renderer.h"
#include "window_layout.h"

#ifndef VEVOVUVADO_SIM_PATH
#error "VEVOVUVADO_SIM_PATH: the build passes the simulator's path"
#endif

namespace {
using Clock = std::chrono::steady_clock;

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe)
    return out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe))
    out += buffer;
  pclose(pipe);
  return out;
}

void sleepMs(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// An XWD window dump (ZPixmap, 24 or 32 bits per pixel) as an Image; empty when malformed.
Image readXwd(const std::string& path) {
  const std::string b = readFile(path);
  Image image;
  auto word = [&](size_t i) {
    if (4 * i + 4 > b.size())
      return 0u;
    const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + 4 * i;
    return (unsigned(p[0]) << 24) | (unsigned(p[1]) << 16) | (unsigned(p[2]) << 8) | p[3];
  };
  const unsigned headerSize = word(0), format = word(2), width = word(4), height = word(5);
  const unsigned byteOrder = word(7), bitsPerPixel = word(11), bytesPerLine = word(12);
  const unsigned redMask = word(14), greenMask = word(15), blueMask = word(16);
  const unsigned colours = word(19);
  const size_t start = headerSize + 12u * colours;
  if (format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24) || width == 0 || height == 0 ||
      start + size_t(bytesPerLine) * height > b.size())
    return image;
  auto channel = [](unsigned pixel, unsigned mask) {
    if (mask == 0)
      return 0u;
    unsigned shift = 0;
    while (!((mask >> shift) & 1))
      ++shift;
    return ((pixel & mask) >> shift) & 0xFF;
  };
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.argb.resize(size_t(width) * height);
  const size_t bytes = bitsPerPixel / 8;
  for (unsigned y = 0; y < height; ++y) {
    for (unsigned x = 0; x < width; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + start +
                      size_t(y) * bytesPerLine + x * bytes;
      unsigned pixel = 0;
      for (size_t i = 0; i < bytes; ++i) {
        const unsigned v = p[i];
        pixel |= byteOrder == 0 ? v << (8 * i) : v << (8 * (bytes - 1 - i));
      }
      image.argb[size_t(y) * width + x] = 0xFF000000u | (channel(pixel, redMask) << 16) |
                                          (channel(pixel, greenMask) << 8) |
                                          channel(pixel, blueMask);
    }
  }
  return image;
}

uint32_t rgbAt(const Image& image, int x, int y) {
  return image.argb[size_t(y) * image.width + x] & 0xFFFFFF;
}

struct Spot {
  int count = 0;
  double x = 0;  // centroid
  double y = 0;
  double minY = 0;
  double maxY = 0;
};

// Pixels of colour `rgb` in `image` within `area` (all of it by default) for which `also`
// holds, and their centroid and vertical extent.
Spot find(const Image& image, uint32_t rgb, const Area& area = {0, 0, 1e9, 1e9},
          const std::function<bool(int, int)>& also = nullptr) {
  Spot s;
  s.minY = 1e9;
  s.maxY = -1;
  for (int y = std::max(0, int(area.y)); y < std::min(image.height, int(area.bottom())); ++y) {
    for (int x = std::max(0, int(area.x)); x < std::min(image.width, int(area.right())); ++x) {
      if (rgbAt(image, x, y) != rgb || (also && !also(x, y)))
        continue;
      ++s.count;
      s.x += x;
      s.y += y;
      s.minY = std::min(s.minY, double(y));
      s.maxY = std::max(s.maxY, double(y));
    }
  }
  if (s.count) {
    s.x /= s.count;
    s.y /= s.count;
  }
  return s;
}

int differing(const Image& a, const Image& b, const Area& area) {
  int n = 0;
  for (int y = int(area.y); y < int(area.bottom()); ++y)
    for (int x = int(area.x); x < int(area.right()); ++x)
      n += rgbAt(a, x, y) != rgbAt(b, x, y) ? 1 : 0;
  return n;
}

// The last row of the CSV file, as fields.
std::vector<std::string> lastRow(const std::string& path) {
  std::istringstream in(readFile(path));
  std::string line;
  std::string last;
  while (std::getline(in, line))
    last = line;
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : last) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

class SimulatorWindow : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY"))
      GTEST_SKIP() << "no DISPLAY: run this under Xvfb (bash .ci/steps/window)";
    char pattern[] = "/tmp/vevovuvado-window-XXXXXX";
    folder = mkdtemp(pattern);
    const char* shots = std::getenv("VEVOVUVADO_SHOTS");
    shotFolder = shots && *shots ? shots : folder;
    run("mkdir -p '" + shotFolder + "'");
    csv = folder + "/readings.csv";
    pid = fork();
    if (pid == 0) {
      if (chdir(folder.c_str()) != 0)
        _exit(127);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      freopen("stdout.txt", "w", stdout);
      freopen("stderr.txt", "w", stderr);
      execl(VEVOVUVADO_SIM_PATH, VEVOVUVADO_SIM_PATH, "--csv", "readings.csv", "--log", "debug.log",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_GT(pid, 0);
    window = run("timeout 20 xdotool search --sync --name '^vevovuvado-sim$' | head -1");
    while (!window.empty() && (window.back() == '\n' || window.back() == ' '))
      window.pop_back();
    ASSERT_FALSE(window.empty()) << "the window did not appear";
    run("xdotool windowfocus --sync " + window + " 2>/dev/null");
    ASSERT_TRUE(waitForRow([](const std::vector<std::string>& r) { return r.size() > 1; }))
        << "no readings";
  }

  void TearDown() override {
    if (pid > 0 && !exited) {
      kill(pid, SIGTERM);
      int status = 0;
      waitpid(pid, &status, 0);
    }
  }

  // Presses `keys` (xdotool key names) one after the other, as a person would.
  void press(const std::string& keys) { run("xdotool key --delay 40 " + keys); }

  std::string repeated(const std::string& key, int times) {
    std::string keys;
    for (int i = 0; i < times; ++i)
      keys += key + " ";
    return keys;
  }

  // Waits (10 s at most) until the newest reading satisfies `ready`.
  bool waitForRow(const std::function<bool(const std::vector<std::string>&)>& ready) {
    const auto giveUp = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < giveUp) {
      const std::vector<std::string> row = lastRow(csv);
      if (row.size() == 17 && row[0] != "time_ms" && ready(row))
        return true;
      sleepMs(50);
    }
    return false;
  }

  bool waitForDish(const char* azimuth, const char* elevation) {
    return waitForRow(
        [&](const std::vector<std::string>& r) { return r[15] == azimuth && r[16] == elevation; });
  }

  Image shot(const std::string& name) {
    const std::string xwd = folder + "/" + name + ".xwd";
    run("xwd -silent -id " + window + " -out '" + xwd + "'");
    Image image = readXwd(xwd);
    const std::string png = shotFolder + "/" + name + ".png";
    std::string error;
    if (writePng(image, png, &error))
      std::printf("screenshot: %s (%dx%d)\n", png.c_str(), image.width, image.height);
    return image;
  }

  Spot dish(const Image& image) {
    return find(image, panelColor(PanelColor::dish), layoutWindow(image.width, image.height).panel);
  }

  std::string folder;
  std::string shotFolder;
  std::string csv;
  std::string window;
  pid_t pid = -1;
  bool exited = false;
};
}  // namespace

TEST_F(SimulatorWindow, KeysMoveTheDishAndThePanelShowsItAsItHappens) {
  sleepMs(300);
  const Image start = shot("1-start");
  ASSERT_EQ(start.width, kDefaultWindowWidth);
  ASSERT_EQ(start.height, kDefaultWindowHeight);
  const Area panel = layoutWindow(start.width, start.height).panel;
  const Area screen = layoutWindow(start.width, start.height).screen;
  const Spot dot0 = dish(start);
  ASSERT_GT(dot0.count, 10) << "no dish dot in the pointing view";

  // Ten presses of D turn the dish a degree east: the dot moves right, nothing else.
  press(repeated("d", 10));
  ASSERT_TRUE(waitForDish("4.000", "1.000")) << "D did not turn the dish";
  sleepMs(300);
  const Image east = shot("2-east");
  const Spot dot1 = dish(east);
  const double degree = dot1.x - dot0.x;
  EXPECT_GT(degree, 5);
  EXPECT_NEAR(dot1.y, dot0.y, 1.0);
  // The readouts changed with it (the dish's line).
  EXPECT_GT(differing(start, east, {panel.x, panel.y, panel.width, 0.3 * panel.height}), 50);

  // Ten presses of S tilt it a degree down: the dot moves down by as much.
  press(repeated("s", 10));
  ASSERT_TRUE(waitForDish("4.000", "0.000")) << "S did not tilt the dish";
  sleepMs(300);
  const Image down = shot("3-down");
  const Spot dot2 = dish(down);
  EXPECT_NEAR(dot2.x, dot1.x, 1.0);
  EXPECT_NEAR(dot2.y - dot1.y, degree, 1.5);

  // Forty presses of A bring it onto the satellite: the dot sits four degrees left (the view
  // zooms in, but its centre stays), the readings lock and the chart shows it.
  press(repeated("a", 40));
  ASSERT_TRUE(waitForDish("0.000", "0.000")) << "A did not turn the dish";
  ASSERT_TRUE(waitForRow([](const std::vector<std::string>& r) { return r[8] == "1"; }))
      << "no lock on the satellite";
  sleepMs(2500);
  const Image on = shot("4-on-the-satellite");
  const Spot dot3 = dish(on);
  EXPECT_NEAR(dot3.x, dot2.x - 4 * degree, 2.0);
  EXPECT_NEAR(dot3.y, dot2.y, 2.0);
  const std::vector<std::string> locked = lastRow(csv);
  EXPECT_NEAR(std::atof(locked[1].c_str()), 12.0, 0.5) << locked[1];  // snr_num
  EXPECT_EQ(locked[14], "12.000");                                    // true_snr_db

  // The lock is shaded over the plot's whole height from the moment it came: its rows give
  // the plot, where the true SNR first ran along the floor and now runs near the top.
  const auto newIn = [](const Image& now, const Image& before) {
    return [&now, &before](int x, int y) { return rgbAt(now, x, y) != rgbAt(before, x, y); };
  };
  const Spot shade = find(on, panelColor(PanelColor::lockShade), panel, newIn(on, down));
  ASSERT_GT(shade.count, 300) << "no lock shading appeared";
  const double plotTop = shade.minY;
  const double plotBottom = shade.maxY;
  const double height = plotBottom - plotTop;
  ASSERT_GT(height, 30);
  const Spot floorTrace = find(down, panelColor(PanelColor::trueTrace), panel, newIn(down, start));
  ASSERT_GT(floorTrace.count, 0);
  EXPECT_NEAR(floorTrace.y, plotBottom, 4.0);
  const Spot risen = find(on, panelColor(PanelColor::trueTrace), panel, newIn(on, down));
  ASSERT_GT(risen.count, 0);
  // The chart's axis runs from 0 to 15 dB: 12 dB is a fifth of the way down from its top.
  EXPECT_NEAR(risen.minY, plotTop + 0.2 * height, 4.0);
  const Spot shown = find(on, panelColor(PanelColor::shownTrace), panel, newIn(on, down));
  ASSERT_GT(shown.count, 0);
  EXPECT_NEAR(shown.minY, plotTop + 0.2 * height, 0.05 * height + 2);  // the noise: 0.3 dB

  // The green key switches the finder to its compact layout and back.
  press("g");
  sleepMs(800);
  const Image compact = shot("5-compact");
  press("g");
  sleepMs(800);
  const Image full = shot("6-full-again");
  const int changed = differing(on, compact, screen);
  EXPECT_GT(changed, 5000) << "the green key did not change the finder";
  EXPECT_LT(differing(on, full, screen), changed / 4) << "the second press did not go back";

  // Made tall and narrow, the window puts the panel below the screen, all of it still there.
  run("xdotool windowmove --sync " + window + " 0 0 windowsize --sync " + window + " 700 1000");
  sleepMs(800);
  const Image tall = shot("7-tall");
  ASSERT_EQ(tall.width, 700);
  ASSERT_EQ(tall.height, 1000);
  const WindowLayout tallLayout = layoutWindow(700, 1000);
  EXPECT_GT(tallLayout.panel.y, 0);
  const Spot dot4 = find(tall, panelColor(PanelColor::dish), tallLayout.panel);
  EXPECT_GT(dot4.count, 10) << "no pointing view in the tall window";
  EXPECT_GT(find(tall, panelColor(PanelColor::lockShade), tallLayout.panel).count, 300);

  // Escape closes the finder and the program, which says what it wrote.
  press("Escape");
  int status = -1;
  for (int i = 0; i < 100 && !exited; ++i) {
    exited = waitpid(pid, &status, WNOHANG) == pid;
    sleepMs(100);
  }
  ASSERT_TRUE(exited) << "Escape did not end the simulator";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string out = readFile(folder + "/stdout.txt");
  EXPECT_NE(out.find("The readings:      readings.csv"), std::string::npos) << out;
  const std::string log = readFile(folder + "/debug.log");
  EXPECT_NE(log.find("SoundThread ist beendet"), std::string::npos);
  size_t greens = 0;
  for (size_t at = log.find("SwichtSkinExec verlassen"); at != std::string::npos;
       at = log.find("SwichtSkinExec verlassen", at + 1))
    ++greens;
  EXPECT_EQ(greens, 2u);
}
