#include "process_counters.h"

#include <winternl.h>

namespace kelvo_test {

namespace {
// An entry of the GDI handle table that the process environment block points to (the layout
// of Wine's table; a type of 0 marks a free entry).
struct GdiHandleEntry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "one handle table entry");
constexpr int kGdiHandleEntries = 0x10000;
constexpr unsigned char kGdiRegionType = 4;
// Where the process environment block points to the table.
#ifdef _WIN64
constexpr size_t kPebGdiHandleTable = 0xF8;
#else
constexpr size_t kPebGdiHandleTable = 0x94;
#endif
} // namespace

int GdiObjectCount() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<int>(counted);
    // Wine makes each system colour brush at its first use, which can fall between two counts
    // when other programs' windows cover and uncover ours: all are made before the first.
    [[maybe_unused]] static const bool systemBrushesMade = [] {
        for (int colour = 0; colour <= COLOR_MENUBAR; ++colour)
            GetSysColorBrush(colour);
        return true;
    }();
    PROCESS_BASIC_INFORMATION process = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                  sizeof process, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiHandleTable);
    if (!table)
        return -1;
    int count = 0;
    // No regions: the controls make none; Wine makes them as other programs' windows cover ours.
    for (int i = 0; i < kGdiHandleEntries; ++i)
        count += table[i].type != 0 && table[i].type != kGdiRegionType;
    return count;
}

size_t HeapBytesInUse() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    size_t busy = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                busy += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return busy;
}

} // namespace kelvo_test
