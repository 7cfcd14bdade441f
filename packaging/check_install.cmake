# Installs the build into a staging prefix and checks that the menu entry,
# its icon and the metainfo land where the desktop looks for them, and that
# they name each other correctly.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(desktop ${STAGE}/share/applications/kaleidra.desktop)
set(metainfo ${STAGE}/share/metainfo/${APP_ID}.metainfo.xml)
foreach(path
    ${STAGE}/bin/kaleidra
    ${desktop}
    ${STAGE}/share/icons/hicolor/scalable/apps/kaleidra.svg
    ${STAGE}/share/man/man1/kaleidra.1.gz
    ${STAGE}/share/doc/kaleidra/copyright
    ${STAGE}/share/doc/kaleidra/changelog.gz
    ${metainfo})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

execute_process(COMMAND test -x ${STAGE}/bin/kaleidra RESULT_VARIABLE not_executable)
if(NOT not_executable EQUAL 0)
  message(FATAL_ERROR "bin/kaleidra is not executable")
endif()

# The entry starts the installed program by name and shows the installed icon.
file(STRINGS ${desktop} exec_line REGEX "^Exec=")
file(STRINGS ${desktop} icon_line REGEX "^Icon=")
if(NOT exec_line STREQUAL "Exec=kaleidra" OR NOT icon_line STREQUAL "Icon=kaleidra")
  message(FATAL_ERROR "desktop entry names '${exec_line}' and '${icon_line}'")
endif()

# The metainfo launches this entry and carries the project's version.
file(READ ${metainfo} xml)
if(NOT xml MATCHES "<launchable type=\"desktop-id\">kaleidra.desktop</launchable>")
  message(FATAL_ERROR "metainfo does not launch kaleidra.desktop")
endif()
if(NOT xml MATCHES "<release version=\"${VERSION}\"")
  message(FATAL_ERROR "metainfo does not name release ${VERSION}")
endif()
