#pragma once
// The file-error cause numbers Clockfix reports for a clock file it could not write, in place of
// errno: 3 bad path, 4 too many open files, 5 access denied, 10 hard I/O error, 13 disk full,
// 1 any other failure.

namespace card {

int FileErrorCause(int errorNumber);

} // namespace card
