// Run-time choice of vector code for the per-pixel loops.
//
// The program is compiled for the baseline processor, but a page is painted millions of pixels
// at a time, and the machines it plays on range from the baseline to AVX-512. A function marked
// VELK_PIXEL_LOOP is compiled once per vector level; the loader picks the widest one the
// processor has when the program starts (the way Qt's raster engine picks its own), so the same
// binary is fast everywhere and every level computes the same bytes.
//
// Mark only plain loops over rows of pixels: each clone is a separate function, so a marked
// function is never inlined into its caller. Small helpers it calls are inlined into each clone.
#pragma once

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && defined(__ELF__)
#define VELK_PIXEL_LOOP \
    __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define VELK_PIXEL_LOOP
#endif

namespace velk {

// The vector level the marked loops run at on this processor, for benchmark reports.
inline const char* PixelLoopLevel() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && defined(__ELF__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl"))
        return "x86-64-v4 (AVX-512)";
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
        __builtin_cpu_supports("bmi2"))
        return "x86-64-v3 (AVX2)";
    return "x86-64 baseline (SSE2)";
#else
    return "portable";
#endif
}

}  // namespace velk
