# What a cross-built test needs to run under wine: a prefix of this build's own, made afresh
# by the wine_prefix fixture (so no other run's settings or drives leak in) with the Qt and
# compiler runtime DLLs on its PATH, and wine's own chatter off.
set(TAMSEL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-tests)
set(TAMSEL_WINE_ENVIRONMENT WINEPREFIX=${TAMSEL_WINE_PREFIX} WINEDEBUG=-all
                            WINEDLLOVERRIDES=mscoree,mshtml=)
set(dll_folders ${QT6_INSTALL_PREFIX}/bin)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(folder ${dll_path} DIRECTORY)
    list(APPEND dll_folders ${folder})
endforeach()
add_test(NAME wine_prefix COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wine_prefix.sh
                                  ${TAMSEL_WINE_PREFIX} ${dll_folders})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 180)
