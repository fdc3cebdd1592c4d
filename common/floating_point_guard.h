// The floating-point state that the module computes in, whatever its host process has set:
// IEEE double precision, rounded to nearest, every exception masked. A host may run the x87 unit
// at single precision (a 3D device does) or unmask exceptions (debug builds do), and its other
// add-ons may set anything; none of it may change a result of ours or turn an overflow into a
// crash, and none of ours may reach the host.
#pragma once

#include <cpuid.h>
#include <cstdint>

// Held by each entry point of the module that computes: sets the module's state, and on the way
// out gives the host its own back exactly, control words and exception flags alike.
class FloatingPointGuard {
public:
    FloatingPointGuard() {
        // Storing the x87 environment also masks every x87 exception.
        asm volatile("fnstenv %0" : "=m"(x87_));
        asm volatile("fnclex\n\tfldcw %0" : : "m"(kX87Control));
        if (HasSse()) {
            asm volatile("stmxcsr %0" : "=m"(mxcsr_));
            asm volatile("ldmxcsr %0" : : "m"(kMxcsr));
        }
    }
    ~FloatingPointGuard() {
        if (HasSse())
            asm volatile("ldmxcsr %0" : : "m"(mxcsr_));
        asm volatile("fldenv %0" : : "m"(x87_));
    }
    FloatingPointGuard(const FloatingPointGuard&) = delete;
    FloatingPointGuard& operator=(const FloatingPointGuard&) = delete;

private:
    // x87: 53-bit precision, round to nearest, all six exceptions masked.
    static constexpr std::uint16_t kX87Control = 0x027F;
    // SSE: round to nearest, all six exceptions masked, no flags, denormals kept.
    static constexpr std::uint32_t kMxcsr = 0x1F80;

    static bool HasSse() {
#ifdef __x86_64__
        return true;
#else
        // Every processor that runs the simulator has SSE; the x87 unit alone is still served.
        static const bool sse = [] {
            unsigned a, b, c, d;
            return __get_cpuid(1, &a, &b, &c, &d) && (d & bit_SSE);
        }();
        return sse;
#endif
    }

    unsigned char x87_[28]; // the environment as fnstenv stores it in 32-bit form
    std::uint32_t mxcsr_ = 0;
};
