#pragma once
// The tone generator's state, shared between the GUI thread and the tone thread. The words the
// two threads share are atomics with relaxed ordering: each is written by one side only and
// read whole by the other; nothing else is ordered by them.

#include <pthread.h>

#include <atomic>

inline constexpr int kSineEntries = 1024;
inline constexpr int kBlockSamples = 1024;
inline constexpr int kToneBufferSize = 2000;

extern signed char sinwave[kSineEntries];        // one sine period, amplitude 127
extern signed char wavebuffer[kToneBufferSize];  // the output block (first 1024 used)
extern int phasebuffer[kToneBufferSize];         // sinwave index of each sample of wavebuffer
extern int wave_phase;                           // current sinwave index, 0..1023 (tone thread)
extern std::atomic<int> snr_sound;               // phase step per sample = pitch (GUI writes)
extern std::atomic<int> sound_enable;            // 1 while the "Sound" box is ticked (GUI writes)
extern std::atomic<int> sound_run;               // 1 while the tone thread is to keep running (GUI)
extern std::atomic<int> sound_running;           // 1 from thread start until it closed the device
extern int sound_fd;                             // the audio device, -1 after a failed open
extern int size;                                 // bytes of wavebuffer that OpenSound clears
extern pthread_t sound_thread;                   // the tone thread, 0 before it is created

// Fills sinwave; the window's constructor calls it on every construction.
void fillSineTable();

// The tone thread's entry; the argument is ignored. Ends with pthread_exit(NULL).
void* VevovuvadoSoundThread(void*);
