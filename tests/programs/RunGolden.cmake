# Runs one golden program through batch mode and compares what it printed.
#   cmake -DKORVELIN=... -DPROGRAM=dir/NAME.BAS -P RunGolden.cmake
# Beside NAME.BAS: NAME.out (expected stdout), and when needed NAME.in
# (stdin), NAME.err (expected stderr), NAME.status (expected exit status,
# 0 when missing), NAME.args (the command line after --batch, one argument
# per line, with the line PROGRAM where the program file goes).
# Programs that use files: NAME.setup/ (files put beside the program before
# the run: data files, programs to RUN or CHAIN) and NAME.files/ (files the
# run must leave behind, compared byte for byte; a file named NAME.gone in
# there lists, one per line, files that must not exist). With either, the
# program runs in a fresh folder of its own.
get_filename_component(dir ${PROGRAM} DIRECTORY)
get_filename_component(name ${PROGRAM} NAME_WE)
set(base ${dir}/${name})

set(workdir ${dir})
set(program_file ${PROGRAM})
if(IS_DIRECTORY ${base}.setup OR IS_DIRECTORY ${base}.files)
  set(workdir ${CMAKE_CURRENT_BINARY_DIR}/golden-${name})
  file(REMOVE_RECURSE ${workdir})
  file(MAKE_DIRECTORY ${workdir})
  file(COPY ${PROGRAM} DESTINATION ${workdir})
  if(IS_DIRECTORY ${base}.setup)
    file(COPY ${base}.setup/ DESTINATION ${workdir})
  endif()
  get_filename_component(program_name ${PROGRAM} NAME)
  set(program_file ${workdir}/${program_name})
endif()

set(input /dev/null)
if(EXISTS ${base}.in)
  set(input ${base}.in)
endif()
set(command_line ${program_file})
if(EXISTS ${base}.args)
  file(STRINGS ${base}.args command_line)
  list(TRANSFORM command_line REPLACE "^PROGRAM$" ${program_file})
endif()

execute_process(
  COMMAND ${KORVELIN} --batch ${command_line}
  WORKING_DIRECTORY ${workdir}
  INPUT_FILE ${input}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE status
  TIMEOUT 60)

set(failed FALSE)
file(READ ${base}.out expected_out)
if(NOT out STREQUAL expected_out)
  message("--- stdout differs. expected:\n${expected_out}--- got:\n${out}---")
  set(failed TRUE)
endif()
set(expected_err "")
if(EXISTS ${base}.err)
  file(READ ${base}.err expected_err)
endif()
if(NOT err STREQUAL expected_err)
  message("--- stderr differs. expected:\n${expected_err}--- got:\n${err}---")
  set(failed TRUE)
endif()
set(expected_status 0)
if(EXISTS ${base}.status)
  file(STRINGS ${base}.status expected_status LIMIT_COUNT 1)
endif()
if(NOT status STREQUAL expected_status)
  message("--- exit status ${status}, expected ${expected_status}")
  set(failed TRUE)
endif()
if(IS_DIRECTORY ${base}.files)
  file(GLOB_RECURSE expected_files RELATIVE ${base}.files ${base}.files/*)
  foreach(relative ${expected_files})
    if(relative STREQUAL "${name}.gone")
      file(STRINGS ${base}.files/${relative} gone_files)
      foreach(gone ${gone_files})
        if(EXISTS ${workdir}/${gone})
          message("--- ${gone} should not exist")
          set(failed TRUE)
        endif()
      endforeach()
      continue()
    endif()
    if(NOT EXISTS ${workdir}/${relative})
      message("--- the run left no ${relative}")
      set(failed TRUE)
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${base}.files/${relative} ${workdir}/${relative}
                    RESULT_VARIABLE differs)
    if(differs)
      file(READ ${workdir}/${relative} got HEX)
      file(READ ${base}.files/${relative} wanted HEX)
      message("--- ${relative} differs. expected bytes:\n${wanted}\n--- got:\n${got}")
      set(failed TRUE)
    endif()
  endforeach()
endif()
if(failed)
  message(FATAL_ERROR "${name}.BAS failed")
endif()
