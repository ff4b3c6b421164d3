# QScintilla, the editor component of the preview, as the target QScintilla::QScintilla.
# A Windows build takes the CMake package of its Qt prefix, which defines that target;
# Debian's libqscintilla2-qt6-dev ships the library and its headers but no CMake package,
# so the same target is defined here over them.
if(WIN32)
    find_package(QScintilla 2.13 REQUIRED)
elseif(NOT TARGET QScintilla::QScintilla)
    find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6 REQUIRED)
    find_path(QSCINTILLA_INCLUDE_DIR Qsci/qsciscintilla.h
              HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS}" REQUIRED)
    add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
    set_target_properties(QScintilla::QScintilla PROPERTIES
        IMPORTED_LOCATION "${QSCINTILLA_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${QSCINTILLA_INCLUDE_DIR}"
        INTERFACE_COMPILE_DEFINITIONS QSCINTILLA_DLL
        INTERFACE_LINK_LIBRARIES Qt6::Widgets)
endif()
