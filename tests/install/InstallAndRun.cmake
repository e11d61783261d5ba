# Installs the build into a fresh prefix and runs an installed sample from
# there in batch mode: every installed file is where the desktop expects it,
# the program runs as it does from the build tree, and batch mode leaves no
# settings file behind (bin/ is writable, so the windows would write there).
#   cmake -DBUILD_DIR=... -DPREFIX=... -DKORVELIN=build/korvelin -P InstallAndRun.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(id org.korvelin.Korvelin)
foreach(f bin/korvelin share/korvelin/KORVELIN.DAT share/korvelin/samples/HELLO.BAS
          share/korvelin/samples/NAME.BAS share/korvelin/samples/KAZUATE.BAS
          share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
          share/icons/hicolor/scalable/apps/${id}.svg share/mime/packages/${id}.xml)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/${id}.desktop desktop)
foreach(line "Exec=korvelin %f" "Icon=${id}" "Categories=Development;IDE;" "MimeType=text/x-korvelin-basic;"
             "Name[ja]=")
  string(FIND "${desktop}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()

set(sample ${PREFIX}/share/korvelin/samples/HELLO.BAS)
execute_process(COMMAND ${PREFIX}/bin/korvelin --batch ${sample}
                WORKING_DIRECTORY ${PREFIX} INPUT_FILE /dev/null
                OUTPUT_VARIABLE installed_out ERROR_VARIABLE installed_err RESULT_VARIABLE installed_status
                TIMEOUT 60)
execute_process(COMMAND ${KORVELIN} --batch ${sample}
                INPUT_FILE /dev/null OUTPUT_VARIABLE build_out RESULT_VARIABLE build_status TIMEOUT 60)
if(NOT installed_status EQUAL 0 OR NOT installed_err STREQUAL "")
  message(FATAL_ERROR "installed run: status ${installed_status}, stderr: ${installed_err}")
endif()
string(FIND "${installed_out}" "終わります。" at)
if(at LESS 0 OR NOT installed_out STREQUAL build_out)
  message(FATAL_ERROR "installed run printed:\n${installed_out}\nthe build tree's:\n${build_out}")
endif()
if(EXISTS ${PREFIX}/bin/KORVELIN.INI)
  message(FATAL_ERROR "batch mode wrote a settings file")
endif()
file(REMOVE_RECURSE ${PREFIX})
