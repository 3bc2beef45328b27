// Modules that each break one rule of the receiver's import allow-list, to show that the
// check refuses them (tests/receiver/CMakeLists.txt builds one per FIXTURE_ definition).

class DeviceSeam;

#if defined(FIXTURE_STRONG_OVERRIDE)
// Declared without the weak attribute: the module would not load where nothing defines it.
extern "C" DeviceSeam* vevovuvado_device_override();
extern "C" __attribute__((visibility("default"))) int plugin_exec(void*) {
  return vevovuvado_device_override() != nullptr;
}
#elif defined(FIXTURE_STANDIN_HOST_IMPORT)
// Something only the stand-in host's process defines.
DeviceSeam* installDevices(DeviceSeam* seam);
extern "C" __attribute__((visibility("default"))) int plugin_exec(void*) {
  return installDevices(nullptr) != nullptr;
}
#elif defined(FIXTURE_SECOND_EXPORT)
extern "C" __attribute__((visibility("default"))) int plugin_exec(void*) {
  return 0;
}
extern "C" __attribute__((visibility("default"))) int plugin_helper() {
  return 1;
}
#elif defined(FIXTURE_EXTRA_LIBRARY)
// Linked against a library the receiver's host is not known to have.
extern "C" __attribute__((visibility("default"))) int plugin_exec(void*) {
  return 0;
}
#endif
