#include "frontend_device_model.h"

#include <cstring>

#include "seam/device_requests.h"

int FrontendDeviceModel::open(int /*flags*/) {
  return nextHandle++;
}
void FrontendDeviceModel::close(int /*handle*/) {}
ssize_t FrontendDeviceModel::read(int, void*, size_t) {
  return -1;
}
ssize_t FrontendDeviceModel::write(int, const void*, size_t) {
  return -1;
}

int FrontendDeviceModel::ioctl(int /*handle*/, unsigned long request, void* arg) {
  if (faults.ioctl || request != kFeGetFrontend || arg == nullptr)
    return -1;
  ++queryCount;
  // Only the first field is defined; the rest of the caller's record is left as it was.
  const uint32_t f = frequency;
  std::memcpy(arg, &f, sizeof f);
  return 0;
}
