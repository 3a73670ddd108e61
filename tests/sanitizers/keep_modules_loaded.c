/* Preloaded into the game for the sanitizer run only. Mesa unloads its driver
 * at glfwTerminate, before LeakSanitizer looks at the heap, so the driver's own
 * leftovers show up as "<unknown module>" and slip past their suppressions.
 * With every library kept loaded they are attributed, and suppressed, by name. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
