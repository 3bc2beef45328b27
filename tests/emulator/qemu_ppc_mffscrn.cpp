// For the PowerPC tests under qemu-ppc only; preloaded by the emulator command that
// tests/CMakeLists.txt sets up, never part of the module or of the receiver build.
//
// The PowerPC glibc's libm (sin, among others) reads the floating-point status with the
// ISA 3.0 forms of mffs (mffscrni, mffscrn, mffsl, ...). They were encoded so that older
// processors, the receiver's among them, execute them as a plain mffs and ignore the extra
// fields, and glibc then sets the rounding mode itself. qemu-ppc 7.2 instead raises SIGILL on
// every 32-bit CPU model. This handler does what the older processors do: it puts the status
// register into the target register and goes on with the next instruction, so the tests run
// on the real libm, as on the receiver.

#include <signal.h>
#include <stdlib.h>
#include <ucontext.h>

#include <cstdint>
#include <cstring>

namespace {

// The X-form mffs family: primary opcode 63, extended opcode 583. The ISA 3.0 forms put a
// nonzero sub-opcode into bits 11-15 (mffscrni 0xfc17048e is the one libm's sin hits).
constexpr uint32_t kMffsFamilyMask = 0xfc0007fe;
constexpr uint32_t kMffsFamily = 0xfc00048e;
constexpr uint32_t kSubOpcodeMask = 0x001f0000;
constexpr uint32_t kRecordBit = 0x1;          // mffs. also sets CR1; libm does not use it
constexpr int kNextInstructionRegister = 32;  // PT_NIP in the saved general registers

void executeAsMffs(int signal, siginfo_t*, void* context) {
  auto* uc = static_cast<ucontext_t*>(context);
  mcontext_t* mc = uc->uc_mcontext.uc_regs;
  const unsigned long address = mc->gregs[kNextInstructionRegister];
  uint32_t instruction = 0;
  std::memcpy(&instruction, reinterpret_cast<const void*>(address), sizeof instruction);
  const bool newMffsForm = (instruction & kMffsFamilyMask) == kMffsFamily &&
                           (instruction & kSubOpcodeMask) != 0 && !(instruction & kRecordBit);
  if (!newMffsForm) {
    // A real illegal instruction: let it end the process as it would have.
    ::signal(signal, SIG_DFL);
    return;
  }
  const unsigned target = (instruction >> 21) & 0x1f;
  mc->fpregs.fpregs[target] = mc->fpregs.fpscr;
  mc->gregs[kNextInstructionRegister] = address + 4;
}

__attribute__((constructor)) void installHandler() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_sigaction = executeAsMffs;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  sigaction(SIGILL, &action, nullptr);
  // The programs that the tests start (the desktop's nm) must not be handed this library.
  unsetenv("LD_PRELOAD");
}

}  // namespace
