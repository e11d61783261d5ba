# The command line before any window: --help and --version need no
# display, the windows without a display end with one line that points to
# --batch (status 2), a platform the user chose still goes to Qt, and
# batch mode reads the settings file named by --settings without writing it.
#   cmake -DKORVELIN=... -DWORK_DIR=... -P CommandLine.cmake
set(no_display ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
set(failures "")

# run(NAME expected-status ("any": Qt aborts) expected-stdout-part expected-stderr-part COMMAND...)
function(run name status out_part err_part)
  execute_process(COMMAND ${ARGN} INPUT_FILE /dev/null OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE got TIMEOUT 30)
  set(problem "")
  if(NOT status STREQUAL "any" AND NOT got STREQUAL status)
    string(APPEND problem " status ${got} (want ${status});")
  endif()
  string(FIND "${out}" "${out_part}" at_out)
  string(FIND "${err}" "${err_part}" at_err)
  if(at_out LESS 0)
    string(APPEND problem " stdout lacks '${out_part}';")
  endif()
  if(at_err LESS 0)
    string(APPEND problem " stderr lacks '${err_part}';")
  endif()
  if(problem)
    set(failures "${failures}\n${name}:${problem}\n  stdout: ${out}\n  stderr: ${err}" PARENT_SCOPE)
  endif()
  set(last_out "${out}" PARENT_SCOPE)
  set(last_err "${err}" PARENT_SCOPE)
endfunction()

run(help 0 "usage: korvelin" "" ${no_display} ${KORVELIN} --help)
string(FIND "${last_out}" "--batch" at)
if(at LESS 0 OR NOT last_err STREQUAL "")
  set(failures "${failures}\nhelp: no --batch in the usage, or text on stderr")
endif()
run(version 0 "korvelin ${VERSION}\n" "" ${no_display} ${KORVELIN} --version)

# The editor and the command-line run mode without a display.
run(editor-without-display 2 "" "--batch" ${no_display} ${KORVELIN})
string(REGEX MATCHALL "\n" lines "${last_err}")
list(LENGTH lines line_count)
if(NOT line_count EQUAL 1 OR NOT last_out STREQUAL "")
  set(failures "${failures}\neditor-without-display: want one line on stderr, got:\n${last_err}")
endif()
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/RUN.BAS "10 PRINT \"RAN\"\r\n")
run(run-mode-without-display 2 "" "--batch" ${no_display} ${KORVELIN} ${WORK_DIR}/RUN.BAS)
# Batch mode needs no display.
run(batch-without-display 0 "RAN" "" ${no_display} ${KORVELIN} --batch ${WORK_DIR}/RUN.BAS)
# A platform the user names is Qt's to refuse, not ours.
run(user-platform-wins any "" "no-such-platform" ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    QT_QPA_PLATFORM=no-such-platform ${KORVELIN})
if(last_err MATCHES "--batch")
  set(failures "${failures}\nuser-platform-wins: our no-display line replaced Qt's")
endif()

# --settings: read (its classic-dialect switch counts as --classic does),
# never written; a named file that cannot be read is refused.
file(WRITE ${WORK_DIR}/PRINTX.BAS "10 X=3:PRINT X\"ITEMS\"\r\n")
file(WRITE ${WORK_DIR}/PLAIN.INI "[OPTIONS]\r\nClassic=0\r\n")
run(settings-plain-dialect 1 "" "" ${KORVELIN} --batch --settings ${WORK_DIR}/PLAIN.INI ${WORK_DIR}/PRINTX.BAS)
set(ini ${WORK_DIR}/MINE.INI)
file(WRITE ${ini} "; kept as it is\r\n[RS232C]\r\nSpeed=2400\r\n[OPTIONS]\r\nClassic=1\r\n")
file(SHA256 ${ini} before)
run(settings-read 0 " 3ITEMS" "" ${KORVELIN} --batch --settings ${ini} ${WORK_DIR}/PRINTX.BAS)
file(SHA256 ${ini} after)
if(NOT before STREQUAL after)
  set(failures "${failures}\nsettings-read: batch mode changed the settings file")
endif()
# The settings file's port devices reach batch mode: a folder is no port,
# so the OPEN warns on stderr and the program goes on to the end.
file(MAKE_DIRECTORY ${WORK_DIR}/NOPORT)
file(WRITE ${WORK_DIR}/PORT.INI "[RS232C]\r\nDevice2=${WORK_DIR}/NOPORT\r\n")
file(WRITE ${WORK_DIR}/PORT.BAS "10 OPEN \"COM2:\" AS #1: PRINT #1, \"X\": CLOSE: PRINT \"GO ON\"\r\n")
run(settings-port-device 0 "GO ON" "COM2: 接続に失敗しました。" ${KORVELIN} --batch --settings ${WORK_DIR}/PORT.INI ${WORK_DIR}/PORT.BAS)
run(settings-missing 2 "" "cannot read" ${KORVELIN} --batch --settings ${WORK_DIR}/NONE.INI ${WORK_DIR}/RUN.BAS)
run(settings-without-file 2 "" "missing value after --settings" ${KORVELIN} --batch --settings)
file(REMOVE_RECURSE ${WORK_DIR})

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
