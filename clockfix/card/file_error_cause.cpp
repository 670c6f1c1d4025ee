#include "card/file_error_cause.h"

#include <cerrno>

namespace card {
namespace {

struct CauseOfError {
    int errorNumber;
    int cause;
};

constexpr CauseOfError kCauses[] = {
    {ENOENT, 3}, {ENOTDIR, 3}, {EMFILE, 4}, {ENFILE, 4}, {EACCES, 5}, {EPERM, 5},
    {EROFS, 5},  {EIO, 10},    {ENOSPC, 13}, {EDQUOT, 13},
};

constexpr int kOtherCause = 1;

} // namespace

int FileErrorCause(int errorNumber) {
    for (const CauseOfError& entry : kCauses) {
        if (entry.errorNumber == errorNumber) return entry.cause;
    }
    return kOtherCause;
}

} // namespace card
