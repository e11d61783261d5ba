# Runs one golden program through batch mode and compares what it printed.
#   cmake -DKORVELIN=... -DPROGRAM=dir/NAME.BAS -P RunGolden.cmake
# Beside NAME.BAS: NAME.out (expected stdout), and when needed NAME.in
# (stdin), NAME.err (expected stderr), NAME.status (expected exit status,
# 0 when missing), NAME.args (the command line after --batch, one argument
# per line, with the line PROGRAM where the program file goes).
get_filename_component(dir ${PROGRAM} DIRECTORY)
get_filename_component(name ${PROGRAM} NAME_WE)
set(base ${dir}/${name})

set(input /dev/null)
if(EXISTS ${base}.in)
  set(input ${base}.in)
endif()
set(command_line ${PROGRAM})
if(EXISTS ${base}.args)
  file(STRINGS ${base}.args command_line)
  list(TRANSFORM command_line REPLACE "^PROGRAM$" ${PROGRAM})
endif()

execute_process(
  COMMAND ${KORVELIN} --batch ${command_line}
  WORKING_DIRECTORY ${dir}
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
if(failed)
  message(FATAL_ERROR "${name}.BAS failed")
endif()
