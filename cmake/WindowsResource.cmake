# The icon and version resource of a Windows executable. TAMSEL_WINDOWS_ICON names the .ico
# (scripts/build-windows draws it with the host build's tamsel-make-icons); without it the
# program carries its version only. Nothing on other systems.
set(TAMSEL_WINDOWS_ICON "" CACHE FILEPATH "The .ico the Windows executables carry")

function(tamsel_windows_resource target description)
    if(NOT WIN32)
        return()
    endif()
    set(TAMSEL_RC_NAME ${target})
    set(TAMSEL_RC_DESCRIPTION ${description})
    set(TAMSEL_RC_ICON "")
    if(TAMSEL_WINDOWS_ICON)
        set(TAMSEL_RC_ICON "1 ICON \"${TAMSEL_WINDOWS_ICON}\"")
    endif()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
