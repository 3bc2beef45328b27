#pragma once
// Request codes the plug-in sends through the device seam. They come from the system's ioctl
// macros, so each processor gets its own encoding; on the receiver (32-bit big-endian PowerPC)
// they take the values checked below.

#include <linux/i2c-dev.h>
#include <linux/soundcard.h>
#include <sys/ioctl.h>

#include <cstdint>

// Select an I2C address even while a kernel driver holds it.
inline constexpr unsigned long kI2cSlaveForce = I2C_SLAVE_FORCE;
// The frontend's parameter query of the receiver's DVB driver; the record's first field is the
// frequency in kHz (the intermediate frequency on a satellite receiver).
inline constexpr unsigned long kFeGetFrontend = _IOR('o', 72, uint32_t);
// Enough room for the driver's whole parameter record; only the first word is read.
struct FrontendParameters {
  uint32_t frequency;
  uint32_t rest[15];
};

inline constexpr unsigned long kDspSetFmt = SNDCTL_DSP_SETFMT;
inline constexpr unsigned long kDspChannels = SNDCTL_DSP_CHANNELS;
inline constexpr unsigned long kDspSpeed = SNDCTL_DSP_SPEED;
inline constexpr unsigned long kDspSync = SNDCTL_DSP_SYNC;
inline constexpr unsigned long kDspGetODelay = SNDCTL_DSP_GETODELAY;

static_assert(kI2cSlaveForce == 0x0706, "I2C_SLAVE_FORCE");
#if defined(__powerpc__) && !defined(__powerpc64__)
static_assert(kFeGetFrontend == 0x40046F48, "FE_GET_FRONTEND on the receiver");
static_assert(kDspSetFmt == 0xC0045005, "SNDCTL_DSP_SETFMT on the receiver");
static_assert(kDspChannels == 0xC0045006, "SNDCTL_DSP_CHANNELS on the receiver");
static_assert(kDspSpeed == 0xC0045002, "SNDCTL_DSP_SPEED on the receiver");
static_assert(kDspSync == 0x20005001, "SNDCTL_DSP_SYNC on the receiver");
static_assert(kDspGetODelay == 0x40045017, "SNDCTL_DSP_GETODELAY on the receiver");
#endif
