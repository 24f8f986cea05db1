// The miss record file: one decimal integer and a CR LF line end, read and written whole.
#pragma once

constexpr const char* MISS_RECORD_PATH = "Resource/Binary/Miss.bin";
constexpr int NO_MISS_RECORD = 999;

// The stored record, or NO_MISS_RECORD when the file is missing or holds no usable number
// (nothing readable, a negative number or one too large for an int: such a record could
// never be beaten).
int ReadMissRecord(const char* path);

// Replaces the file's content with `record` and a CR LF line end. The new content is written
// to a temporary file beside it and renamed over the old one, so the file holds either the old
// or the new record whatever happens during the write. A read-only file is left alone.
// False when nothing was changed.
bool WriteMissRecord(const char* path, int record);
