# The environment every test runs in, for the test suites and the fuzz targets alike.

set(TEST_ENV
    "ALSOFT_DRIVERS=null"
    "TUMBLELEAF_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "TUMBLELEAF_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan-mesa.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# Mesa unloads its driver at exit, so LeakSanitizer cannot name the library behind the driver's
# own leaks and the suppressions above cannot match them. Preloading the driver keeps it mapped.
find_file(MESA_SOFTWARE_DRIVER swrast_dri.so
    PATHS /usr/lib/x86_64-linux-gnu/dri /usr/lib/aarch64-linux-gnu/dri /usr/lib/dri NO_DEFAULT_PATH)
set(DISPLAY_TEST_ENV ${TEST_ENV})
if(MESA_SOFTWARE_DRIVER)
    list(APPEND DISPLAY_TEST_ENV "LD_PRELOAD=${MESA_SOFTWARE_DRIVER}"
        "ASAN_OPTIONS=verify_asan_link_order=0")
endif()
