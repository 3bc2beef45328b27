#include "tone.h"

void* VevovuvadoSoundThread(void*) {
  pthread_exit(nullptr);
}
