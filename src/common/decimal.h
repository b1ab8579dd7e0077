// decimal.h -- reads a decimal whole number from text, with its range checked and no overflow
#pragma once

enum DecimalRead {
    kDecimalNone,        // no number: nothing, or something other than an optional '-' and digits
    kDecimalOutOfRange,  // a number, but outside [low, high]
    kDecimalRead,        // a number within [low, high], stored
};

// Reads an optional '-' and one or more digits at text into *value when within [low, high].
// With end null the number must be all of text; otherwise it may be followed by anything, and
// *end is set to the first character after its digits. However many digits there are, the
// number cannot overflow: past 10^17 it only grows in the check. *value is left alone unless
// kDecimalRead is returned.
DecimalRead readDecimal(const char* text, long long low, long long high, long long* value, const char** end = nullptr);
