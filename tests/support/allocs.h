// Allocations made by the test program so far: the global operator new is
// replaced for the whole program, so that a test can show that a call never
// touches the heap.
#pragma once

namespace drelm::test {

long allocationCount();

}  // namespace drelm::test
