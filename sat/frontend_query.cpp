#include "frontend_query.h"

#include <fcntl.h>

#include "host/edebug.h"
#include "seam/device_requests.h"
#include "seam/device_seam.h"

bool queryIntermediateFrequency(uint32_t* kHz) {
  DeviceSeam& dev = devices();
  const int fd = dev.open(devpath::kFrontend, O_RDWR | O_NONBLOCK);
  if (fd < 0) {
    eDebug("eBeamseek::update() Fehler beim öffnen von DEMOD");
    // Without a device there is no query to make; it counts as failed like any other.
    eDebug("Fehler bein FE_GET_FRONTEND");
    return false;
  }
  FrontendParameters parameters{};
  const int result = dev.ioctl(fd, kFeGetFrontend, &parameters);
  dev.close(fd);
  if (result < 0) {
    eDebug("Fehler bein FE_GET_FRONTEND");
    return false;
  }
  *kHz = parameters.frequency;
  return true;
}
