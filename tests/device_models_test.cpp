// The device models that stand behind the device seam in tests and in the simulator.

#include <fcntl.h>
#include <pthread.h>

#include <atomic>
#include <limits>

#include "seam/device_requests.h"
#include "support/finder_fixture.h"

namespace {

class DeviceModelTest : public HostFixture {
 protected:
  int openBus() { return ::devices().open(devpath::kI2cBus, O_RDWR | O_NONBLOCK); }
  void* address(unsigned long a) { return reinterpret_cast<void*>(a); }
};

TEST_F(DeviceModelTest, I2cBusReadsConsecutiveRegistersAfterTheRegisterNumber) {
  devices.i2c.setRegisters(0x68, 0x1F, {0x50, 0x00, 0x00});
  const int fd = openBus();
  ASSERT_GE(fd, 0);
  EXPECT_EQ(devices.openDescriptors(), 1);
  ASSERT_EQ(::devices().ioctl(fd, kI2cSlaveForce, address(0x68)), 0);
  const unsigned char reg = 0x1F;
  EXPECT_EQ(::devices().write(fd, &reg, 1), 1);
  unsigned char bytes[3] = {};
  EXPECT_EQ(::devices().read(fd, bytes, 3), 3);
  EXPECT_EQ(bytes[0], 0x50);
  EXPECT_EQ(bytes[1], 0x00);
  EXPECT_EQ(::devices().close(fd), 0);
  EXPECT_EQ(devices.openDescriptors(), 0);
}

TEST_F(DeviceModelTest, I2cPlainReadAndMissingDevice) {
  devices.i2c.setPlainReadByte(0x08, 0x08);
  const int fd = openBus();
  ASSERT_EQ(::devices().ioctl(fd, kI2cSlaveForce, address(0x08)), 0);
  unsigned char b = 0;
  EXPECT_EQ(::devices().read(fd, &b, 1), 1);
  EXPECT_EQ(b, 0x08);
  ASSERT_EQ(::devices().ioctl(fd, kI2cSlaveForce, address(0x50)), 0);
  EXPECT_EQ(::devices().read(fd, &b, 1), -1) << "nobody answers at 0x50";
  ::devices().close(fd);
}

TEST_F(DeviceModelTest, I2cFaultsFailTheirOperation) {
  devices.i2c.setRegisters(0x68, 0x18, {0x12, 0x34});
  const unsigned char reg = 0x18;
  unsigned char bytes[2];

  devices.i2c.faults.open = true;
  EXPECT_EQ(openBus(), -1);
  devices.i2c.faults.open = false;

  const int fd = openBus();
  devices.i2c.faults.select = true;
  EXPECT_EQ(::devices().ioctl(fd, kI2cSlaveForce, address(0x68)), -1);
  devices.i2c.faults.select = false;
  ASSERT_EQ(::devices().ioctl(fd, kI2cSlaveForce, address(0x68)), 0);

  devices.i2c.faults.write = true;
  EXPECT_EQ(::devices().write(fd, &reg, 1), -1);
  devices.i2c.faults.write = false;
  ::devices().write(fd, &reg, 1);
  devices.i2c.faults.shortRead = true;
  EXPECT_EQ(::devices().read(fd, bytes, 2), 1);
  devices.i2c.faults.shortRead = false;
  devices.i2c.faults.read = true;
  EXPECT_EQ(::devices().read(fd, bytes, 2), -1);
  ::devices().close(fd);
  EXPECT_EQ(devices.openDescriptors(), 0);
  EXPECT_EQ(::devices().close(fd), -1) << "a closed descriptor stays closed";
}

TEST_F(DeviceModelTest, FrontendQueryFillsTheFirstFieldOnly) {
  devices.frontend.setFrequency(1996000);
  const int fd = ::devices().open(devpath::kFrontend, O_RDWR | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  FrontendParameters p{};
  p.rest[0] = 77;
  EXPECT_EQ(::devices().ioctl(fd, kFeGetFrontend, &p), 0);
  EXPECT_EQ(p.frequency, 1996000u);
  EXPECT_EQ(p.rest[0], 77u);
  devices.frontend.faults.ioctl = true;
  EXPECT_EQ(::devices().ioctl(fd, kFeGetFrontend, &p), -1);
  ::devices().close(fd);
}

TEST_F(DeviceModelTest, AudioQueueDrainsAtTwelveThousandBytesPerSecond) {
  devices.audio.setCapacity(4096);
  const int fd = ::devices().open(devpath::kAudio, O_WRONLY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  int value = 12000;
  EXPECT_EQ(::devices().ioctl(fd, kDspSpeed, &value), 0);
  EXPECT_EQ(devices.audio.settings().speed, 12000);

  std::vector<int8_t> block(3000, 5);
  EXPECT_EQ(::devices().write(fd, block.data(), block.size()), 3000);
  int depth = -1;
  ASSERT_EQ(::devices().ioctl(fd, kDspGetODelay, &depth), 0);
  EXPECT_EQ(depth, 3000);
  EXPECT_EQ(::devices().write(fd, block.data(), block.size()), 1096) << "only the room left";
  EXPECT_EQ(::devices().write(fd, block.data(), block.size()), -1) << "full: would block";

  loop.advance(100);  // 1200 samples played
  ::devices().ioctl(fd, kDspGetODelay, &depth);
  EXPECT_EQ(depth, 4096 - 1200);

  // What the loudspeaker gives out: the queued samples, then silence.
  loop.advance(1000);
  const auto heard = devices.audio.timeline(0, 1000000);
  ASSERT_EQ(heard.size(), 12000u);
  EXPECT_EQ(heard[0], 5);
  EXPECT_EQ(heard[4095], 5);
  EXPECT_EQ(heard[4096], 0);
  ::devices().close(fd);
}

TEST_F(DeviceModelTest, ThePlayOutSinkGetsTheLoudspeakerOnceInOrderAndNothingIsKeptWithout) {
  devices.setRecording(false);
  std::vector<int8_t> out;
  devices.audio.setPlayedSink(
      [&out](const int8_t* s, size_t n) { out.insert(out.end(), s, s + n); });
  const int fd = ::devices().open(devpath::kAudio, O_WRONLY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  const std::vector<int8_t> first(1200, 3);  // 0 to 100 ms
  const std::vector<int8_t> second(600, -4);
  EXPECT_EQ(::devices().write(fd, first.data(), first.size()), 1200);
  loop.advance(50);
  EXPECT_EQ(::devices().write(fd, second.data(), second.size()), 600);  // queued: 100 to 150 ms
  EXPECT_EQ(out.size(), 600u) << "only what has played by the write";
  loop.advance(250);  // then 150 ms of silence
  devices.audio.flushPlayed(loop.nowUs());
  ::devices().close(fd);

  std::vector<int8_t> expected(first);
  expected.insert(expected.end(), second.begin(), second.end());
  expected.insert(expected.end(), 1800, 0);
  EXPECT_EQ(out, expected);
  devices.audio.flushPlayed(loop.nowUs());
  EXPECT_EQ(out.size(), expected.size()) << "nothing twice";
  // Without recording the model holds nothing for anyone else.
  EXPECT_TRUE(devices.audio.blocks().empty());
  EXPECT_TRUE(devices.audio.writeResults().empty());
}

TEST_F(DeviceModelTest, WithoutRecordingTheBusKeepsNoTransfers) {
  devices.setRecording(false);
  devices.i2c.setRegister(0x68, 0x1B, 0x98);
  const int fd = openBus();
  ASSERT_EQ(::devices().ioctl(fd, kI2cSlaveForce, address(0x68)), 0);
  const unsigned char reg = 0x1B;
  unsigned char b = 0;
  ::devices().write(fd, &reg, 1);
  EXPECT_EQ(::devices().read(fd, &b, 1), 1);
  EXPECT_EQ(b, 0x98);
  ::devices().close(fd);
  EXPECT_TRUE(devices.i2c.transfers().empty());
  devices.setRecording(true);
  const int again = openBus();
  ::devices().ioctl(again, kI2cSlaveForce, address(0x68));
  ::devices().write(again, &reg, 1);
  ::devices().read(again, &b, 1);
  ::devices().close(again);
  ASSERT_EQ(devices.i2c.transfers().size(), 1u);
  EXPECT_EQ(devices.i2c.transfers()[0].reg, 0x1B);
}

// A module thread as the tone thread uses the seam: a pass, then a 50 ms sleep, until stopped.
struct ModuleThread {
  std::atomic<int> passes{0};
  std::atomic<bool> stop{false};
  std::atomic<bool> ended{false};
  static void* run(void* p) {
    auto* self = static_cast<ModuleThread*>(p);
    for (;;) {
      ++self->passes;
      if (self->stop.load())
        break;
      ::devices().sleepMicroseconds(50000);
    }
    self->ended = true;
    pthread_exit(nullptr);
  }
};

TEST_F(DeviceModelTest, ModuleThreadsStartOnTheVirtualClockAndEndUnderTheBusyWait) {
  ModuleThread module;
  pthread_t thread;
  ASSERT_EQ(::devices().createThread(&thread, nullptr, ModuleThread::run, &module), 0);
  EXPECT_EQ(module.passes.load(), 1) << "returns once the thread sleeps";

  // A start that fails leaves nothing for the clock to wait for.
  pthread_attr_t hugeStack;
  pthread_attr_init(&hugeStack);
  // No address space, 32 or 64 bits, has room for a stack this size.
  pthread_attr_setstacksize(&hugeStack, std::numeric_limits<size_t>::max() / 4096 * 4096);
  pthread_t never;
  EXPECT_NE(::devices().createThread(&never, &hugeStack, ModuleThread::run, &module), 0);
  pthread_attr_destroy(&hugeStack);

  loop.advance(100);
  EXPECT_EQ(module.passes.load(), 3);

  module.stop = true;
  ::devices().beforeBusyWait();
  while (!module.ended.load()) {
  }
  EXPECT_EQ(module.passes.load(), 4);
  EXPECT_EQ(loop.nowMs(), 150);
  pthread_join(thread, nullptr);
}

TEST_F(DeviceModelTest, MissingAudioDeviceFailsToOpen) {
  devices.audio.setPresent(false);
  EXPECT_EQ(::devices().open(devpath::kAudio, O_WRONLY | O_NONBLOCK), -1);
  EXPECT_EQ(::devices().open("/dev/nothing", O_RDONLY), -1);
  EXPECT_EQ(devices.openDescriptors(), 0);
}

}  // namespace
