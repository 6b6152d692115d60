// The program's compiled-in pictures and saved window state live in a static library; this
// registers them before first use.
#pragma once

namespace quorrin {

// Safe to call any number of times.
void EnsureAppResources();

} // namespace quorrin
