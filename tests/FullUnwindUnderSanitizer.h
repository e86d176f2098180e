#pragma once

// For a test binary that plays sounds. GLib and GStreamer are built without frame pointers,
// so the sanitizer's fast unwinder stops at g_malloc and the leak suppressions for
// GStreamer's own allocations (tools/lsan.supp) could not see whose they are. A binary that
// includes this once unwinds fully instead (only that binary: it makes allocations slower).

#if defined(__SANITIZE_ADDRESS__)
#define PARVOLIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PARVOLIN_ASAN 1
#endif
#endif
#ifdef PARVOLIN_ASAN
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
#endif
