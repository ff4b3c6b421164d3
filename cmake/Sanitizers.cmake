# Sanitizer and fuzzing builds.
#
# TAMSEL_SANITIZE builds every target with AddressSanitizer and UndefinedBehaviorSanitizer.
# Undefined behaviour stops the process (-fno-sanitize-recover), so it fails the test that
# ran into it instead of scrolling past in the log.
#
# TAMSEL_FUZZ (clang only) builds the libFuzzer targets of fuzz/ as real fuzzers: every
# target gets libFuzzer's coverage instrumentation and the same sanitizers. Without it the
# fuzz targets still build, each with a driver that replays its seed corpus as a test.

option(TAMSEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TAMSEL_FUZZ "Build the fuzz targets with libFuzzer (clang only)" OFF)

if(TAMSEL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TAMSEL_FUZZ needs clang (libFuzzer): configure with "
                            "-DCMAKE_CXX_COMPILER=clang++")
    endif()
    # A fuzzer finds far more with the sanitizers watching each input.
    set(TAMSEL_SANITIZE ON)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Environment for every test: where the leak suppressions are, and stack traces for
# undefined behaviour. Empty in an ordinary build.
set(TAMSEL_TEST_ENVIRONMENT "")

if(TAMSEL_SANITIZE)
    set(sanitizers -fsanitize=address,undefined)
    add_compile_options(${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(${sanitizers})
    set(TAMSEL_LSAN_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/cmake/lsan.supp)
    set(TAMSEL_TEST_ENVIRONMENT
        "LSAN_OPTIONS=suppressions=${TAMSEL_LSAN_SUPPRESSIONS}:print_suppressions=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
        "ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1")
endif()
