// Linked into every program of a sanitized build (GLOBARO_SANITIZE): turns
// dlclose into a no-op, so the GL driver that Mesa loads at run time stays
// mapped until the leak check at exit. Unloaded, its allocations would be
// reported against an unknown module that no suppression can name; kept, they
// are suppressed by the driver's library name like any other system library.
extern "C" int dlclose(void*) { return 0; }
