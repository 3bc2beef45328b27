#pragma once
// Memory whose addresses repeat from run to run, as far as 32 bits of them go. The receiver has
// no address randomisation, so the host's records sit at the same place in every run, and the
// plug-in prints one such address in its log ("oldTp %d" prints the playing transponder's
// address as an int). Here the process's addresses are randomised; this memory lies at a fixed
// offset from a 4 GiB boundary, so the low 32 bits of its addresses, all that the plug-in's int
// shows, are the same every run and the log repeats byte for byte.

#include <cstddef>

class RepeatableMemory {
 public:
  // `bytes` of zeroed, writable memory; data() is null when the address space could not be
  // had (the caller then uses ordinary memory, whose addresses vary).
  explicit RepeatableMemory(size_t bytes);
  ~RepeatableMemory();
  RepeatableMemory(const RepeatableMemory&) = delete;
  RepeatableMemory& operator=(const RepeatableMemory&) = delete;

  void* data() const { return block; }
  size_t size() const { return length; }

 private:
  void* block = nullptr;
  size_t length = 0;
};
