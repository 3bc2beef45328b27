// When the simulator's window draws, on a real run of the plug-in in virtual time: once after
// each refresh of the finder while its values move (the tone playing), once after the dish
// moves, and never while nothing it shows changed, however often it looks. A window that
// draws at every look would cost a core; one that misses a change would show stale values.

#include <gtest/gtest.h>

#include <functional>

#include "simulation.h"
#include "window_frames.h"
#include "window_layout.h"

namespace {
// In the finder's first idle moment hands the simulation to `look`, then closes the finder.
class LookOnce : public eInputDriver {
 public:
  LookOnce(Simulation& s, std::function<void(Simulation&)> f) : simulation(s), look(std::move(f)) {}
  void idle(eMainloop& loop) override {
    if (!looked) {
      looked = true;
      look(simulation);
    }
    loop.postKey(eKey::exit);
  }
  bool looked = false;

 private:
  Simulation& simulation;
  std::function<void(Simulation&)> look;
};

constexpr int kWidth = kDefaultWindowWidth;
constexpr int kHeight = kDefaultWindowHeight;
// The window looks at most once per 60 Hz frame.
constexpr long kFrameMs = 16;

// Looks `frames` times, kFrameMs apart, drawing whenever the window is stale; returns the
// looks that found it stale.
int drawWhenStale(Simulation& s, WindowFrames& window, int frames) {
  int stale = 0;
  for (int i = 0; i < frames; ++i) {
    s.loop().advance(kFrameMs);
    if (window.stale(s, kWidth, kHeight)) {
      ++stale;
      window.draw(s, kWidth, kHeight);
    }
  }
  return stale;
}
}  // namespace

TEST(WindowFrames, OneFramePerRefreshWhileTheValuesMoveAndNoneWhileNothingChanges) {
  Simulation simulation(defaultProfile(), eMainloop::Time::virtualTime);
  std::string error;
  ASSERT_TRUE(simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) << error;
  int refreshes = 0;
  simulation.onRefresh = [&](const Reading&, int64_t) { ++refreshes; };
  LookOnce driver(simulation, [&](Simulation& s) {
    auto* sound = dynamic_cast<eCheckbox*>(s.findWidget("sound"));
    ASSERT_NE(sound, nullptr);
    sound->toggle();
    s.signalModel().setPointingError(0.2, 0.0);  // near the satellite: the signal jitters
    s.loop().advance(1000);                      // tuned, locked, the tone playing

    WindowFrames window;
    EXPECT_TRUE(window.stale(s, kWidth, kHeight)) << "nothing drawn yet";
    EXPECT_FALSE(window.draw(s, kWidth, kHeight).empty());
    EXPECT_FALSE(window.stale(s, kWidth, kHeight)) << "just drawn, nothing changed since";

    // 10 s at 60 frames a second: 40 refreshes, each changing the values shown.
    const int refreshesBefore = refreshes;
    const unsigned long drawnBefore = window.framesDrawn();
    const int stale = drawWhenStale(s, window, 625);
    const int seen = refreshes - refreshesBefore;
    EXPECT_EQ(seen, 40);
    EXPECT_EQ(stale, seen) << "one frame per refresh, none between";
    EXPECT_EQ(window.framesDrawn() - drawnBefore, static_cast<unsigned long>(seen))
        << "every refresh changed pixels";

    // Between two refreshes time passes without changing anything shown; then the dish moves,
    // and the panel's pointing view shows it at once.
    const int refreshed = refreshes;
    while (refreshes == refreshed)
      s.loop().advance(1);
    window.draw(s, kWidth, kHeight);
    EXPECT_EQ(drawWhenStale(s, window, 6), 0) << "no refresh in these 96 ms";
    EXPECT_EQ(refreshes, refreshed + 1);
    s.signalModel().setPointingError(0.4, 0.0);
    EXPECT_TRUE(window.stale(s, kWidth, kHeight)) << "the dish moved";
    EXPECT_FALSE(window.draw(s, kWidth, kHeight).empty());
    EXPECT_FALSE(window.stale(s, kWidth, kHeight)) << "looking again changes nothing";
  });
  simulation.runPlugin(driver);
  EXPECT_TRUE(driver.looked);
}
