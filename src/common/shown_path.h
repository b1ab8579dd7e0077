// shown_path.h -- how messages name a file: as the user typed it, shortened when very long
#pragma once

inline constexpr int kShownPathChars = 400;  // longest path a message shows whole

// Notes that the program opens resolved where the user typed typed (both must outlive the
// run): a relative path made absolute before the program entered its data folder.
void noteTypedPath(const char* resolved, const char* typed);

// What the user typed for path (noteTypedPath), or path itself.
const char* typedPath(const char* path);

// The name a message gives path: what the user typed for it (noteTypedPath), cut to its first
// and last characters with "..." between when longer than kShownPathChars, so the message's
// reason is never lost. Valid until the fourth call after it.
const char* shownPath(const char* path);
