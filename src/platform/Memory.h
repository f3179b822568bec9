#pragma once

#include <cstddef>

namespace Memory {

// Asks the system to back a large buffer about to be filled with large pages (2 MB): the
// buffer then costs one page fault per large page instead of one per 4 KB page, which for
// the tens of megabytes of an export grid is a good part of its making. A hint only: the
// parts of the buffer smaller than a large page, and systems without large pages, stay as
// they are.
void preferLargePages(void *data, std::size_t size);

} // namespace Memory
