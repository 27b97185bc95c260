# Installs the build into a temporary prefix and runs the installed quabe-cli
# there without QUABE_RESOURCE_DIR: it must find the installed resources.
# cmake -DBUILD_DIR=... -DPREFIX=... -P InstallCheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(file bin/quabe bin/quabe-cli share/quabe/iswa2010bin share/quabe/swdic.db share/quabe/manual.html
             share/quabe/Localizable.json share/quabe/SuttonSignWritingLine.ttf share/applications/quabe.desktop
             share/mime/packages/quabe.xml share/icons/hicolor/scalable/apps/quabe.svg)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QUABE_RESOURCE_DIR QT_QPA_PLATFORM=offscreen
  "${PREFIX}/bin/quabe-cli" archive info
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed quabe-cli failed (${rc}): ${err}")
endif()
file(REAL_PATH "${PREFIX}/share/quabe/iswa2010bin" expected)
string(FIND "${out}" "${expected}" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "installed quabe-cli did not use the installed archive ${expected}: ${out}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
