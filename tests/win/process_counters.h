// What this process holds, for tests and benchmarks that check nothing is kept: GDI objects
// and heap bytes in use.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kelvo_test {

// GDI objects that this process holds now. Windows counts them itself (GetGuiResources); Wine
// answers 0 there, so under Wine the in-use entries of the process's GDI handle table are
// counted instead, regions left out.
int GdiObjectCount();
// Bytes in busy blocks of all the process's heaps (the C runtime's included).
size_t HeapBytesInUse();

} // namespace kelvo_test
