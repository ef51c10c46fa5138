# Builds one Windows Installer package with wixl (cmake -P, called by the build).
# In: WIXL, SOURCES (the .wxs files, separated by "|"), OUTPUT, VERSION,
# COMPANY, PROGRAM_DIR, CONTENT_DIR, CONSOLE (yes or no).
#
# wixl reports an element or attribute it does not know as a warning and an
# unresolved reference as a "CRITICAL" message, and still writes a package
# and exits with 0; such a package lacks what the source asked for, so any
# of these fails the build here.
string(REPLACE "|" ";" sources "${SOURCES}")
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)\\.([0-9]+)" triple "${VERSION}")
if(NOT triple)
  message(FATAL_ERROR "package version '${VERSION}' is not major.minor.patch[.build]")
endif()
# The installer compares only major.minor.patch: the next patch number is the
# first version that counts as newer than this one.
math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
set(ceiling "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch}")

# wixl looks for the packaged files relative to its current folder only.
get_filename_component(work "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${work}")
file(RELATIVE_PATH PROGRAM_DIR "${work}" "${PROGRAM_DIR}")
file(RELATIVE_PATH CONTENT_DIR "${work}" "${CONTENT_DIR}")
foreach(dir PROGRAM_DIR CONTENT_DIR)
  if(${dir} STREQUAL "")
    set(${dir} .)
  endif()
endforeach()

file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND "${WIXL}" -a x64 -o "${OUTPUT}"
          -D "Version=${VERSION}" -D "UpgradeCeiling=${ceiling}" -D "Company=${COMPANY}"
          -D "ProgramDir=${PROGRAM_DIR}" -D "ContentDir=${CONTENT_DIR}" -D "Console=${CONSOLE}"
          ${sources}
  WORKING_DIRECTORY "${work}"
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR err MATCHES "CRITICAL|WARNING|unimplemented|[Ee]rror" OR NOT EXISTS "${OUTPUT}")
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "wixl failed (${rc}) on ${OUTPUT}:\n${out}${err}")
endif()
