// decimal.cpp -- reads a decimal whole number from text, with its range checked and no overflow
#include "common/decimal.h"

static const long long kLargestKept = 100000000000000000LL;  // 10^17: digits past it are only counted

DecimalRead readDecimal(const char* text, long long low, long long high, long long* value, const char** end)
{
    bool negative = text[0] == '-';
    const char* p = negative ? text + 1 : text;
    const char* digits = p;
    long long magnitude = 0;
    bool huge = false;  // more than the bounds of any long long range can hold
    for (; *p >= '0' && *p <= '9'; p++) {
        if (magnitude > kLargestKept)
            huge = true;
        else
            magnitude = magnitude * 10 + (*p - '0');
    }
    if (p == digits || (end == nullptr && *p != '\0'))
        return kDecimalNone;
    if (end != nullptr)
        *end = p;
    long long number = negative ? -magnitude : magnitude;
    if (huge || number < low || number > high)
        return kDecimalOutOfRange;
    *value = number;
    return kDecimalRead;
}
