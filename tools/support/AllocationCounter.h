// Counts calls of the global operator new in a program that links quorrin_allocation_counter
// (it replaces the global operator new and delete), to show where code allocates.
#pragma once

#include <cstdint>

namespace quorrin::support {
std::uint64_t AllocationCount();
} // namespace quorrin::support
