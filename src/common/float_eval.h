// float_eval.h -- refuses a target whose float arithmetic carries excess precision
#pragma once

#include <cfloat>

// The flight and the mountains must come out bit for bit the same on every CPU. That holds
// only where float and double expressions are evaluated in their own type (FLT_EVAL_METHOD 0,
// as on x86-64 with SSE2, on arm64 and on armhf's VFP); 32-bit x87 code evaluates in long double and would
// round differently.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "brinewings needs FLT_EVAL_METHOD 0 (no excess precision); build for x86-64, arm64, armhf, or x86 with -msse2 -mfpmath=sse"
#endif
