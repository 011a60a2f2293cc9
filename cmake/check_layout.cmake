# Checks the include arrows between the folders, so the layout is kept by
# the build and not by habit:
#
#   link/  ->  configurator/  ->  current/, earlier/
#
# The two programs meet only in the shared layer below them: nothing under
# current/ includes earlier/ or the other way round (their tests
# included), the shared layer includes neither program, its Qt-free part
# no Qt and nothing of its window side, and link/ stays below everything.
#
# Run as: cmake -DSOURCE_DIR=<tree> -P check_layout.cmake

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "check_layout.cmake needs -DSOURCE_DIR=<source tree>")
endif()

set(violations "")

# check_folder(FOLDER REGEX WHY): every source under FOLDER (relative to the
# tree) whose #include line matches REGEX is a violation.
function(check_folder folder regex why)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false
       ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(line MATCHES "${regex}")
        file(RELATIVE_PATH relative ${SOURCE_DIR} ${source})
        string(STRIP "${line}" line)
        list(APPEND violations "${relative}: ${line} (${why})")
      endif()
    endforeach()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

set(program_current "[<\"]current/")
set(program_earlier "[<\"]earlier/")

check_folder(earlier "${program_current}" "the earlier program uses the shared layer, not current/")
check_folder(tests/earlier "${program_current}" "earlier tests use the shared layer, not current/")
check_folder(tests/earlier_ui "${program_current}|[<\"]current_ui/"
             "earlier tests use the shared layer, not current/")
check_folder(current "${program_earlier}" "the current program does not use earlier/")
check_folder(tests/current "${program_earlier}" "current tests do not use earlier/")
check_folder(tests/current_ui "${program_earlier}|[<\"]earlier_ui/"
             "current tests do not use earlier/")
check_folder(configurator "${program_current}|${program_earlier}"
             "the shared layer knows neither program")
check_folder(tests/configurator "${program_current}|${program_earlier}|[<\"]Q|[<\"]configurator/ui/"
             "tests of the shared layer use it alone")
check_folder(tests/configurator_ui "${program_current}|${program_earlier}"
             "tests of the shared window pieces use no program")

# The Qt-free part of the shared layer: every file directly in configurator/.
file(GLOB headless LIST_DIRECTORIES false ${SOURCE_DIR}/configurator/*.h
     ${SOURCE_DIR}/configurator/*.cpp)
foreach(source IN LISTS headless)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    if(line MATCHES "[<\"](Q[A-Za-z]|configurator/ui/)")
      file(RELATIVE_PATH relative ${SOURCE_DIR} ${source})
      string(STRIP "${line}" line)
      list(APPEND violations "${relative}: ${line} (the shared layer is Qt-free outside ui/)")
    endif()
  endforeach()
endforeach()

check_folder(link "[<\"](configurator|current|earlier|sim)/|[<\"]Q[A-Za-z]"
             "link/ is the bottom layer")
check_folder(sim "${program_current}|${program_earlier}|[<\"]configurator/ui/|[<\"]Q[A-Za-z]"
             "the simulated panel stands beside the programs, below their windows")

if(violations)
  list(JOIN violations "\n  " listed)
  message(FATAL_ERROR "Includes that cross the layout:\n  ${listed}")
endif()
