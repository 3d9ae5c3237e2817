#pragma once

namespace Tavrix::Platform {

/// Takes ownership of `fd` and returns a close-on-exec descriptor of the same file numbered 3 or
/// more, or -1 when `fd` is negative or cannot be moved. The handles of this library use 0 for
/// "none", and a descriptor opened while stdin, stdout or stderr is closed can land below 3.
int MoveAboveStandardStreams(int fd);

} // namespace Tavrix::Platform
