# QScintilla 2.13.3 for Qt 6 (library qscintilla2_qt6), x86_64-w64-mingw32,
# installed inside this Qt prefix. Built from Debian's qscintilla2 2.13.3+dfsg-3
# source without printing support (QsciPrinter left out: this Qt has no QtPrintSupport).
# Licence: GPL-3 (see licenses/qscintilla/ in the prefix).
#
#   find_package(QScintilla 2.13 REQUIRED)
#   target_link_libraries(app PRIVATE QScintilla::QScintilla)
#
# gives: include dir with <Qsci/...>, QSCINTILLA_DLL (dllimport), the import library
# lib/libqscintilla2_qt6.a, Qt6::Widgets; the DLL is bin/qscintilla2_qt6.dll.

include(CMakeFindDependencyMacro)
find_dependency(Qt6Widgets)

get_filename_component(_qsci_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(NOT TARGET QScintilla::QScintilla)
  foreach(_qsci_f bin/qscintilla2_qt6.dll lib/libqscintilla2_qt6.a include/Qsci/qsciscintilla.h)
    if(NOT EXISTS "${_qsci_prefix}/${_qsci_f}")
      set(QScintilla_FOUND FALSE)
      set(QScintilla_NOT_FOUND_MESSAGE "missing ${_qsci_prefix}/${_qsci_f}")
      unset(_qsci_prefix)
      return()
    endif()
  endforeach()
  add_library(QScintilla::QScintilla SHARED IMPORTED)
  set_target_properties(QScintilla::QScintilla PROPERTIES
    IMPORTED_LOCATION "${_qsci_prefix}/bin/qscintilla2_qt6.dll"
    IMPORTED_IMPLIB "${_qsci_prefix}/lib/libqscintilla2_qt6.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_qsci_prefix}/include"
    INTERFACE_COMPILE_DEFINITIONS "QSCINTILLA_DLL"
    INTERFACE_LINK_LIBRARIES "Qt6::Widgets")
endif()

set(QScintilla_VERSION_STRING "2.13.3")
set(QScintilla_LIBRARIES QScintilla::QScintilla)
unset(_qsci_prefix)
unset(_qsci_f)
