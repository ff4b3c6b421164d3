# The warnings every build uses, as errors where asked, and clang-format over the tree.
#
# TAMSEL_WERROR is off for anyone building from source (a newer compiler may warn where
# ours does not, and that must not stop a user's build); scripts/build and CI turn it on.

option(TAMSEL_WERROR "Treat compiler warnings as errors" OFF)
add_compile_options(-Wall -Wextra -Wpedantic)
if(TAMSEL_WERROR)
    add_compile_options(-Werror)
    # Under the sanitizers' instrumentation GCC's -Wmaybe-uninitialized reports values that
    # are initialised (a std::optional's member in db/dictionary_snapshot): said, not fatal.
    if(TAMSEL_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-error=maybe-uninitialized)
    endif()
endif()

# The sources clang-format keeps: everything we write in C++. Globbed again at each build,
# so a new file is formatted and checked without touching this list.
file(GLOB_RECURSE TAMSEL_FORMATTED_SOURCES CONFIGURE_DEPENDS
     LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
     ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
     ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h
     ${PROJECT_SOURCE_DIR}/fuzz/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.h
     ${PROJECT_SOURCE_DIR}/packaging/*.cpp)
# Generated source is kept as its generator writes it.
list(FILTER TAMSEL_FORMATTED_SOURCES EXCLUDE REGEX "\\.generated\\.(cpp|h)$")

# Formatting differs between clang-format versions; 14 is the one the tree is formatted with
# (Debian's clang-format, which scripts/deps installs).
find_program(TAMSEL_CLANG_FORMAT NAMES clang-format-14 clang-format)
if(TAMSEL_CLANG_FORMAT)
    add_custom_target(format
        COMMAND ${TAMSEL_CLANG_FORMAT} -i ${TAMSEL_FORMATTED_SOURCES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "clang-format over the sources"
        VERBATIM)
endif()
