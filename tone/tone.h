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
extern pthread_t sound_thread;                   // the tone thread, 0 while there is none to join

// Fills sinwave; the window's constructor calls it on every construction.
void fillSineTable();

// The tone thread's entry; the argument is ignored. Ends with pthread_exit(NULL).
void* VevovuvadoSoundThread(void*);

// How OpenSound creates the tone thread: the device seam's createThread, unless a test puts a
// failing or instrumented creator here. Same contract as pthread_create (0 or an error number).
using ToneThreadCreator = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
extern ToneThreadCreator toneThreadCreate;

// Joins the tone thread that OpenSound created and forgets it; does nothing when there is
// none. The window's destructor calls it after the stop handshake, so no tone thread outlives
// the window (and the module the host may unload right after).
void joinSoundThread();

// --- Arithmetic of the tone thread (pure) ---

// Index into phasebuffer of the last sample the device accepted from a block write that
// returned `written` (bytes, 0, or -1): the next block resumes the waveform there.
// 1024 -> 1023, n -> n - 1, 0 -> 1023, -1 -> 1022.
int resumeIndex(long written);

// The sinwave index after `phase` (0..1023) advanced by `step` entries; always 0..1023. For the
// non-negative steps the measurement stores this is (phase + step) mod 1024.
int nextPhase(int phase, int step);
