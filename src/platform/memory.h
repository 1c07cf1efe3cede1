#pragma once

namespace kv {

// Keeps large blocks (a page's text, its decoded view) in the program's heap
// once they are freed, so loading, compiling and showing a big page again
// reuses memory the process already has instead of asking the system for
// fresh pages each time, which costs more than the work itself. Call once at
// start-up.
void keepLargeBlocksForReuse();

} // namespace kv
