#pragma once

namespace platform {

// Stages of the exit show, stamped by the benchmark build (CMake option KESTRO_TIMING) so
// that bench/benchmark.sh can tell where the time to the picture goes. In the shipped program
// the stamp is an empty inline function and nothing of it is left.
#ifdef KESTRO_TIMING
// Appends "STAGE SECONDS" (Unix time) to the file named by KESTRO_TIMING_FILE, if it is set.
void TimeStamp(const char* stage);
#else
inline void TimeStamp(const char* /*stage*/) {}
#endif

}  // namespace platform
