// The simulator's screen renderer, PNG writer and WAV writer: what a person sees and hears must
// follow the widget state, so the checks look at the pixels and samples that carry it.

#include <cairo.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "eskin.h"
#include "ewidgets.h"
#include "ewindow.h"
#include "osd_palette.h"
#include "panel_painter.h"
#include "screen_layout.h"
#include "screen_renderer.h"
#include "wav_file.h"
#include "window_canvas.h"
#include "window_layout.h"
#include "window_renderer.h"

namespace {
constexpr uint32_t kOpaque = 0xFF000000u;
const ePoint kClient(100, 80);  // where the test window's client area lies on the screen

uint32_t opaque(uint32_t rgb) {
  return kOpaque | rgb;
}

uint32_t pixel(const Image& image, int x, int y) {
  return image
      .argb[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)];
}

// A pixel at client coordinates of the test window.
uint32_t clientPixel(const Image& image, int x, int y) {
  return pixel(image, kClient.x + x, kClient.y + y);
}

// How many pixels of the screen rectangle satisfy `test`.
int countPixels(const Image& image, const eRect& area, const std::function<bool(uint32_t)>& test) {
  int count = 0;
  for (int y = area.top(); y < area.bottom(); ++y)
    for (int x = area.left(); x < area.right(); ++x)
      if (test(pixel(image, x, y)))
        ++count;
  return count;
}

eRect onScreen(int x, int y, int width, int height) {
  return eRect(ePoint(kClient.x + x, kClient.y + y), eSize(width, height));
}

int differingFrom(const Image& image, const eRect& area, uint32_t rgb) {
  return countPixels(image, area, [rgb](uint32_t p) { return p != opaque(rgb); });
}

int channel(uint32_t p, int shift) {
  return static_cast<int>((p >> shift) & 0xFF);
}

// Greenish: the tick and "std_green" are clearly greener than red and blue.
bool greenish(uint32_t p) {
  return channel(p, 8) > channel(p, 16) + 60 && channel(p, 8) > channel(p, 0) + 60;
}

bool reddish(uint32_t p) {
  return channel(p, 16) > channel(p, 8) + 80 && channel(p, 16) > channel(p, 0) + 80;
}

// The small finder-like window the tests draw: title, a label, a green bar at 50%, a checked
// box and a combo box with a current entry.
struct TestWindow {
  std::unique_ptr<eWindow> window = std::make_unique<eWindow>();
  eLabel* label = new eLabel(window.get(), 0, 0, "eLabel");
  eProgress* bar = new eProgress(window.get(), 0);
  eCheckbox* box = new eCheckbox(window.get(), 0, 0, false, "eCheckBox");
  eComboBox* combo = new eComboBox(window.get(), 3, nullptr, 1, "eComboBox");
  eProgress* hiddenBar = new eProgress(window.get(), 0);

  TestWindow() {
    window->setText("Finder Test");
    window->setProperty("cposition", "100:80");
    window->cresize(eSize(500, 380));
    label->setText("SNR:");
    label->move(ePoint(10, 0));
    label->resize(eSize(100, 30));
    bar->move(ePoint(10, 30));
    bar->resize(eSize(480, 30));
    bar->setPerc(50);
    bar->setProperty("leftColor", "std_green");
    box->setText("LOCK");
    box->move(ePoint(10, 240));
    box->resize(eSize(125, 30));
    box->setFlags(64);
    box->setCheck(1);
    combo->move(ePoint(180, 285));
    combo->resize(eSize(310, 35));
    new eListBoxEntryText(combo, "Astra 19.2E");
    new eListBoxEntryText(combo, "Hotbird 13.0E");
    combo->setCurrent(0);
    hiddenBar->move(ePoint(10, 100));
    hiddenBar->resize(eSize(480, 30));
    hiddenBar->setPerc(100);
    hiddenBar->setProperty("leftColor", "std_red");
    hiddenBar->hide();
    window->show();
  }

  Image render() { return renderScreen(window.get(), {}); }
};

std::string tempPath(const std::string& name) {
  return testing::TempDir() + "render_test_" + std::to_string(getpid()) + "_" + name;
}

TEST(RenderScreen, ImageIsTheReceiverScreen) {
  TestWindow w;
  const Image image = w.render();
  EXPECT_EQ(image.width, kScreenWidth);
  EXPECT_EQ(image.height, kScreenHeight);
  ASSERT_EQ(image.argb.size(), static_cast<size_t>(kScreenWidth) * kScreenHeight);
  EXPECT_EQ(countPixels(image, eRect(ePoint(0, 0), eSize(kScreenWidth, kScreenHeight)),
                        [](uint32_t p) { return (p & kOpaque) != kOpaque; }),
            0);
}

TEST(RenderWindow, ScreenIsScaledIntoItsPlaceAndThePanelDrawnBesideIt) {
  TestWindow w;
  const Image screen = w.render();
  PanelView panel;
  panel.title = "Simulated receiver";
  panel.rows = {{"Dish", "az +1.00"}};
  struct Case {
    int width, height;
  };
  for (const Case c : {Case{1280, 576}, Case{640, 288}, Case{500, 900}}) {
    const Image image = renderWindow(screen, panel, c.width, c.height);
    ASSERT_EQ(image.width, c.width);
    ASSERT_EQ(image.height, c.height);
    const WindowLayout layout = layoutWindow(c.width, c.height);
    // The bar's green fill, half way along, lands where the scaled screen puts it.
    const double x = layout.screen.x + (kClient.x + 12 + 120) * layout.scale;
    const double y = layout.screen.y + (kClient.y + 45) * layout.scale;
    const uint32_t pixel = image.argb[static_cast<size_t>(y) * c.width + static_cast<size_t>(x)];
    EXPECT_EQ(pixel, opaque(0x20B040)) << c.width << "x" << c.height;
    const eRect text(ePoint(static_cast<int>(layout.panel.x), static_cast<int>(layout.panel.y)),
                     eSize(static_cast<int>(layout.panel.width), 40));
    EXPECT_GT(differingFrom(image, text, panelColor(PanelColor::fill)), 30)
        << c.width << "x" << c.height;
  }
}

// The canvas's frame, copied out, pixel for pixel.
Image frameImage(const WindowCanvas& canvas) {
  return canvas.image();
}

bool inside(const PixelRect& r, const Area& a) {
  return r.x >= static_cast<int>(a.x) && r.y >= static_cast<int>(a.y) &&
         r.x + r.width <= static_cast<int>(a.right() + 1) &&
         r.y + r.height <= static_cast<int>(a.bottom() + 1);
}

// Where `a` and `b` differ, as the bounding box; width 0 when they do not.
PixelRect differing(const Image& a, const Image& b) {
  int left = a.width, top = a.height, right = -1, bottom = -1;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (pixel(a, x, y) != pixel(b, x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0)
    return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

bool covered(const PixelRect& box, const std::vector<PixelRect>& rects) {
  for (int y = box.y; y < box.y + box.height; ++y) {
    for (int x = box.x; x < box.x + box.width; ++x) {
      bool in = false;
      for (const PixelRect& r : rects)
        in = in || (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height);
      if (!in)
        return false;
    }
  }
  return true;
}

// A window kept between frames draws only what changed and reports where the pixels moved;
// what it holds is always the frame a fresh drawing gives. Both layouts, beside and below; at
// 1001x600 and 601x900 the screen's edge falls inside a pixel that the panel shares.
TEST(WindowCanvas, DrawsOnlyWhatChangedAndReportsWhereThePixelsDiffer) {
  struct Size {
    int width, height;
  };
  for (const Size size : {Size{1280, 576}, Size{1001, 600}, Size{601, 900}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    TestWindow w;
    ScreenCanvas screen;
    screen.paint(w.window.get(), {});
    PanelView panel;
    panel.title = "Simulated receiver";
    panel.rows = {{"Dish", "az +1.00"}};
    WindowCanvas canvas;
    const WindowLayout layout = layoutWindow(size.width, size.height);

    const std::vector<PixelRect> first =
        canvas.draw(screen.surface(), true, panel, size.width, size.height);
    EXPECT_TRUE(covered({0, 0, size.width, size.height}, first)) << "a first frame is all new";
    Image before = frameImage(canvas);
    EXPECT_EQ(before.argb, renderWindow(screen.image(), panel, size.width, size.height).argb);

    EXPECT_TRUE(canvas.draw(screen.surface(), false, panel, size.width, size.height).empty());
    EXPECT_TRUE(canvas.draw(screen.surface(), true, panel, size.width, size.height).empty())
        << "a screen painted again the same has no new pixels";

    // The panel alone.
    panel.rows[0].value = "az +1.10";
    const std::vector<PixelRect> panelRects =
        canvas.draw(screen.surface(), false, panel, size.width, size.height);
    Image after = frameImage(canvas);
    ASSERT_FALSE(panelRects.empty());
    for (const PixelRect& r : panelRects)
      EXPECT_TRUE(inside(r, layout.panel));
    EXPECT_TRUE(covered(differing(before, after), panelRects));
    EXPECT_EQ(after.argb, renderWindow(screen.image(), panel, size.width, size.height).argb);

    // The screen alone: the bar's fill moves.
    before = after;
    w.bar->setPerc(70);
    screen.paint(w.window.get(), {});
    const std::vector<PixelRect> screenRects =
        canvas.draw(screen.surface(), true, panel, size.width, size.height);
    after = frameImage(canvas);
    ASSERT_FALSE(screenRects.empty());
    for (const PixelRect& r : screenRects)
      EXPECT_TRUE(inside(r, layout.screen));
    EXPECT_TRUE(covered(differing(before, after), screenRects));
    EXPECT_EQ(after.argb, renderWindow(screen.image(), panel, size.width, size.height).argb);
  }
}

TEST(WindowCanvas, ANewSizeDrawsTheWholeWindowAgain) {
  TestWindow w;
  ScreenCanvas screen;
  screen.paint(w.window.get(), {});
  PanelView panel;
  panel.title = "Simulated receiver";
  WindowCanvas canvas;
  canvas.draw(screen.surface(), true, panel, 1280, 576);
  const std::vector<PixelRect> rects = canvas.draw(screen.surface(), false, panel, 900, 700);
  EXPECT_TRUE(covered({0, 0, 900, 700}, rects));
  EXPECT_EQ(canvas.width(), 900);
  EXPECT_EQ(frameImage(canvas).argb, renderWindow(screen.image(), panel, 900, 700).argb);
}

TEST(RenderScreen, BarFillsWithItsLeftColorUpToItsPercentage) {
  TestWindow w;
  const Image image = w.render();
  // The bar's inner part starts 2 pixels in; 50% of its 476 inner pixels ends near x 250.
  EXPECT_EQ(clientPixel(image, 12 + 60, 45), opaque(0x20B040));
  EXPECT_EQ(clientPixel(image, 12 + 230, 45), opaque(0x20B040));
  EXPECT_EQ(clientPixel(image, 12 + 250, 45), opaque(osdColor(OsdColor::barTrough)));
  EXPECT_EQ(clientPixel(image, 12 + 400, 45), opaque(osdColor(OsdColor::barTrough)));
  // Outside the bar: the window's client fill.
  EXPECT_EQ(clientPixel(image, 250, 70), opaque(osdColor(OsdColor::windowFill)));
}

TEST(RenderScreen, BarFillFollowsStartPercentageAndColourName) {
  struct Case {
    int start;
    int perc;
    const char* color;
    int x;              // client x probed, in the bar's row
    uint32_t expected;  // 0xRRGGBB there
  };
  const uint32_t trough = osdColor(OsdColor::barTrough);
  const uint32_t defaultFill = osdColor(OsdColor::barFill);
  const Case cases[] = {
      {0, 0, "std_green", 14, trough},                           // empty bar
      {0, 100, "std_red", 486, 0xE02020},                        // full bar reaches the right end
      {0, 150, "std_red", 486, 0xE02020},                        // over-full is clamped, still full
      {0, 150, "std_red", 495, osdColor(OsdColor::windowFill)},  // and never beyond the bar
      {0, -20, "std_green", 14, trough},                         // negative is empty
      {49, 2, "std_dyellow", 12 + 238, 0xC8A000},                // the offset marker at 49..51%
      {49, 2, "std_dyellow", 12 + 200, trough},
      {0, 50, "no_such_colour", 14, defaultFill},
      {0, 50, "", 14, defaultFill},
  };
  for (const Case& c : cases) {
    TestWindow w;
    w.bar->setStart(c.start);
    w.bar->setPerc(c.perc);
    w.bar->setProperty("leftColor", c.color);
    EXPECT_EQ(clientPixel(w.render(), c.x, 45), opaque(c.expected))
        << "start " << c.start << " perc " << c.perc << " colour " << c.color << " x " << c.x;
  }
}

TEST(RenderScreen, TitleBarShowsTheWindowText) {
  TestWindow w;
  const eRect titleBar(ePoint(kClient.x, kClient.y - kTitleBarHeight), eSize(500, kTitleBarHeight));
  const uint32_t titleFill = osdColor(OsdColor::titleFill);
  EXPECT_GT(differingFrom(w.render(), titleBar, titleFill), 100);
  w.window->setText("");
  EXPECT_EQ(differingFrom(w.render(), titleBar, titleFill), 0);
}

TEST(RenderScreen, HiddenWidgetsAndTheirContentsAreNotDrawn) {
  TestWindow w;
  const eRect hiddenArea = onScreen(10, 100, 480, 30);
  EXPECT_EQ(differingFrom(w.render(), hiddenArea, osdColor(OsdColor::windowFill)), 0);
  w.hiddenBar->show();
  EXPECT_GT(countPixels(w.render(), hiddenArea, reddish), 400 * 20);

  // A hidden window shows nothing of itself.
  w.window->hide();
  const Image empty = w.render();
  EXPECT_EQ(countPixels(empty, onScreen(0, 0, 500, 380),
                        [](uint32_t p) { return p == opaque(osdColor(OsdColor::windowFill)); }),
            0);
}

TEST(RenderScreen, CheckBoxShowsItsTickOnlyWhenChecked) {
  for (int checked : {0, 1}) {
    TestWindow w;
    w.box->setCheck(checked);
    const Image image = w.render();
    const int ticks = countPixels(image, onScreen(10, 240, 30, 30), greenish);
    if (checked)
      EXPECT_GT(ticks, 20);
    else
      EXPECT_EQ(ticks, 0);
    // The caption is drawn either way, right of the box.
    EXPECT_GT(differingFrom(image, onScreen(40, 240, 90, 30), osdColor(OsdColor::windowFill)), 50)
        << "checked " << checked;
  }
}

TEST(RenderScreen, ComboBoxShowsItsCurrentEntry) {
  TestWindow w;
  const eRect textArea = onScreen(184, 289, 200, 27);
  const uint32_t field = osdColor(OsdColor::fieldFill);
  const int withEntry = differingFrom(w.render(), textArea, field);
  EXPECT_GT(withEntry, 100);
  w.combo->clearList();
  EXPECT_EQ(differingFrom(w.render(), textArea, field), 0);
}

TEST(RenderScreen, OpenComboBoxListsItsEntriesOverTheWindow) {
  TestWindow w;
  w.window->setFocus(w.combo);
  const eRect below = onScreen(181, 321, 308, 50);
  const int closedInk = differingFrom(w.render(), below, osdColor(OsdColor::windowFill));
  EXPECT_EQ(closedInk, 0);
  ASSERT_EQ(w.window->keyDown(eKey::ok), 1);
  ASSERT_TRUE(w.combo->isOpen());
  // The list opens below or above the box; either way its highlighted row is drawn.
  const Image open = w.render();
  const uint32_t highlight = opaque(osdColor(OsdColor::listHighlight));
  EXPECT_GT(countPixels(open, eRect(ePoint(0, 0), eSize(kScreenWidth, kScreenHeight)),
                        [highlight](uint32_t p) { return p == highlight; }),
            1000);
}

TEST(RenderScreen, FocusedWidgetIsOutlined) {
  TestWindow w;
  const uint32_t focus = opaque(osdColor(OsdColor::focus));
  const auto focusPixels = [&w, focus] {
    return countPixels(w.render(), onScreen(180, 285, 310, 35),
                       [focus](uint32_t p) { return p == focus; });
  };
  EXPECT_EQ(focusPixels(), 0);
  w.window->setFocus(w.combo);
  EXPECT_GT(focusPixels(), 2 * 310);
}

TEST(RenderScreen, LabelTextFollowsAlignmentAndColour) {
  struct Case {
    int align;
    bool inkLeft;   // ink in the left half of the label
    bool inkRight;  // ink in the right half
  };
  const Case cases[] = {{0, true, false}, {1, false, true}};
  for (const Case& c : cases) {
    TestWindow w;
    w.label->resize(eSize(300, 30));
    w.label->setText("-1.5dB");
    w.label->setAlign(c.align);
    w.label->setForegroundColor(eSkin::getActive()->queryColor("std_red"));
    const Image image = w.render();
    const int left = countPixels(image, onScreen(10, 0, 150, 30), reddish);
    const int right = countPixels(image, onScreen(160, 0, 150, 30), reddish);
    EXPECT_EQ(left > 20, c.inkLeft) << "align " << c.align;
    EXPECT_EQ(right > 20, c.inkRight) << "align " << c.align;
  }
}

TEST(RenderScreen, LabelsWithoutTheirOwnColourTakeTheWindowsForeground) {
  struct Case {
    const char* windowColour;  // nullptr: none set
    const char* labelColour;
    bool (*inkTest)(uint32_t);
  };
  const auto whitish = [](uint32_t p) {
    return channel(p, 16) > 200 && channel(p, 8) > 200 && channel(p, 0) > 200;
  };
  const Case cases[] = {
      {nullptr, nullptr, whitish},
      {"std_red", nullptr, reddish},
      {"std_red", "std_green", greenish},
      {"no_such_colour", nullptr, whitish},
  };
  for (const Case& c : cases) {
    TestWindow w;
    if (c.windowColour)
      w.window->setForegroundColor(eSkin::getActive()->queryColor(c.windowColour));
    if (c.labelColour)
      w.label->setForegroundColor(eSkin::getActive()->queryColor(c.labelColour));
    EXPECT_GT(countPixels(w.render(), onScreen(10, 0, 100, 30), c.inkTest), 20)
        << (c.windowColour ? c.windowColour : "-") << " / "
        << (c.labelColour ? c.labelColour : "-");
  }
}

TEST(RenderScreen, NarrowLabelTextStaysReadableWhileComboTextIsCut) {
  TestWindow w;
  w.label->resize(eSize(30, 30));
  w.label->setText("+10MHz");
  w.label->setForegroundColor(eSkin::getActive()->queryColor("std_red"));
  w.combo->resize(eSize(60, 35));
  const Image image = w.render();
  EXPECT_GT(countPixels(image, onScreen(40, 0, 60, 30), reddish), 20);
  const uint32_t field = osdColor(OsdColor::fieldFill);
  // Nothing of the combo box, its text included, shows right of its frame.
  EXPECT_EQ(differingFrom(image, onScreen(240, 285, 100, 35), osdColor(OsdColor::windowFill)), 0);
  EXPECT_GT(countPixels(image, onScreen(180, 285, 60, 35),
                        [field](uint32_t p) { return p == opaque(field); }),
            500);
}

TEST(RenderScreen, MessageBoxAppearsCentredOverTheWindowWithAnOkHint) {
  TestWindow w;
  eMessageBox box("This receiver type is not supported.", "Error");
  const uint32_t hint = opaque(osdColor(OsdColor::hint));
  const auto hintPixels = [hint](const Image& image) {
    return countPixels(image, eRect(ePoint(0, 0), eSize(kScreenWidth, kScreenHeight)),
                       [hint](uint32_t p) { return p == hint; });
  };
  EXPECT_EQ(hintPixels(renderScreen(w.window.get(), {&box})), 0);  // not shown yet
  box.show();
  const Image image = renderScreen(w.window.get(), {&box});
  EXPECT_GT(hintPixels(image), 1000);
  // The hint sits on the window's vertical centre line, inside the window.
  int left = image.width, right = -1, top = image.height, bottom = -1;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (pixel(image, x, y) == hint) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_NEAR((left + right) / 2.0, kClient.x + 250, 1.0);
  EXPECT_GT(top, kClient.y);
  EXPECT_LT(bottom, kClient.y + 380);
}

TEST(WritePng, WritesAFileCairoReadsBackWithTheSameSizeAndPixels) {
  TestWindow w;
  const Image image = w.render();
  const std::string path = tempPath("screen.png");
  std::string error;
  ASSERT_TRUE(writePng(image, path, &error)) << error;
  cairo_surface_t* back = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(back), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(back), image.width);
  EXPECT_EQ(cairo_image_surface_get_height(back), image.height);
  cairo_surface_flush(back);
  const unsigned char* data = cairo_image_surface_get_data(back);
  const int stride = cairo_image_surface_get_stride(back);
  const int x = kClient.x + 72;
  const int y = kClient.y + 45;
  uint32_t green = 0;
  std::memcpy(&green, data + y * stride + x * 4, sizeof green);
  EXPECT_EQ(green | kOpaque, opaque(0x20B040));
  cairo_surface_destroy(back);
  unlink(path.c_str());
}

TEST(WritePng, RefusesMalformedImagesAndUnwritablePaths) {
  Image ragged;
  ragged.width = 4;
  ragged.height = 4;
  ragged.argb.assign(15, kOpaque);
  Image good;
  good.width = 2;
  good.height = 2;
  good.argb.assign(4, kOpaque);
  struct Case {
    const Image* image;
    std::string path;
  };
  const Case cases[] = {
      {&ragged, tempPath("ragged.png")},
      {nullptr, tempPath("empty.png")},
      {&good, "/nonexistent-dir/screen.png"},
  };
  const Image empty;
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(writePng(c.image ? *c.image : empty, c.path, &error)) << c.path;
    EXPECT_FALSE(error.empty()) << c.path;
    EXPECT_NE(access(c.path.c_str(), F_OK), 0) << c.path;
  }
}

TEST(WriteWav, StoresMonoTwelveKilohertzWithEverySampleExact) {
  std::vector<int8_t> samples;
  for (int i = 0; i < 300; ++i)
    samples.push_back(static_cast<int8_t>((i * 7) % 256 - 128));
  samples.push_back(127);
  samples.push_back(-128);
  samples.push_back(0);
  const std::string path = tempPath("tone.wav");
  std::string error;
  ASSERT_TRUE(writeWav(path, samples, 12000, &error)) << error;

  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  EXPECT_EQ(info.samplerate, 12000);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
  ASSERT_EQ(info.frames, static_cast<sf_count_t>(samples.size()));
  std::vector<short> back(samples.size());
  EXPECT_EQ(sf_read_short(file, back.data(), static_cast<sf_count_t>(back.size())), info.frames);
  sf_close(file);
  for (size_t i = 0; i < samples.size(); ++i)
    ASSERT_EQ(back[i], samples[i] * 256) << "sample " << i;
  unlink(path.c_str());
}

TEST(WriteWav, StreamedInPiecesGivesTheSameFileAsAllAtOnce) {
  std::vector<int8_t> samples;
  for (int i = 0; i < 40000; ++i)  // more than one write's worth
    samples.push_back(static_cast<int8_t>((i * 13) % 255 - 127));
  const std::string whole = tempPath("whole.wav");
  const std::string streamed = tempPath("streamed.wav");
  std::string error;
  ASSERT_TRUE(writeWav(whole, samples, 12000, &error)) << error;
  WavWriter writer;
  ASSERT_TRUE(writer.open(streamed, 12000, &error)) << error;
  for (size_t at = 0; at < samples.size(); at += 1024)
    writer.append(samples.data() + at, std::min<size_t>(1024, samples.size() - at));
  ASSERT_TRUE(writer.close(&error)) << error;
  auto bytes = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(bytes(whole).size(), 44u + 2u * samples.size());
  EXPECT_TRUE(bytes(whole) == bytes(streamed));
  unlink(whole.c_str());
  unlink(streamed.c_str());
}

TEST(WriteWav, EmptyToneGivesAValidFileWithoutFrames) {
  const std::string path = tempPath("silence.wav");
  std::string error;
  ASSERT_TRUE(writeWav(path, {}, 12000, &error)) << error;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(info.frames, 0);
  EXPECT_EQ(info.samplerate, 12000);
  sf_close(file);
  unlink(path.c_str());
}

TEST(WriteWav, RefusesABadRateOrPath) {
  struct Case {
    std::string path;
    int rate;
  };
  const Case cases[] = {
      {tempPath("zero.wav"), 0},
      {tempPath("negative.wav"), -12000},
      {"/nonexistent-dir/tone.wav", 12000},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(writeWav(c.path, {1, 2, 3}, c.rate, &error)) << c.path;
    EXPECT_FALSE(error.empty()) << c.path;
    EXPECT_NE(access(c.path.c_str(), F_OK), 0) << c.path;
  }
}
}  // namespace
