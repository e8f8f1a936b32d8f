#include "core/cpu/vector_state.h"

namespace tarnvel {

#if defined(__x86_64__) && !defined(__AVX__)

namespace {

// VZEROUPPER is undefined without AVX; XGETBV with ECX = 1 without its
// XINUSE extension (CPUID.(EAX=0DH,ECX=1):EAX bit 2).
struct VectorFeatures {
  bool avx = false;
  bool xinuse = false;
};

VectorFeatures Detect() {
  __builtin_cpu_init();
  VectorFeatures features;
  features.avx = __builtin_cpu_supports("avx");
  if (features.avx) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    asm("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(0xd), "c"(1));
    features.xinuse = (a & 4) != 0;
  }
  return features;
}

const VectorFeatures& Features() {
  static const VectorFeatures features = Detect();
  return features;
}

}  // namespace

void ClearUpperVectorState() noexcept {
  // No clobbers: the lower halves, all that code built without AVX keeps
  // values in, are left as they are.
  if (Features().avx) asm volatile("vzeroupper");
}

bool UpperVectorStateInUse() noexcept {
  if (!Features().xinuse) return false;
  unsigned lo = 0, hi = 0;
  asm volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
  return (lo & 4) != 0;
}

#else

// Built for AVX, every instruction is VEX-encoded and no transition is paid;
// on other processors there are no upper halves.
void ClearUpperVectorState() noexcept {}
bool UpperVectorStateInUse() noexcept {
  return false;
}

#endif

}  // namespace tarnvel
