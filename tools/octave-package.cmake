# Reads how the Octave modules are built from the project's own CMake files, and writes the
# Makefile that `pkg install` runs in the package's src/ folder:
#   cmake -DROOT=<source tree> -DMAKEFILE=<file to write> -DLIST=<file to write> -P octave-package.cmake
# LIST gets one line per Octave module: its name, then every source file that it compiles.
# The modules, their interface and arithmetic come from cmake/deliverables.cmake; their
# units (units_<module>) and compile flags (octave_cxxflags) from CMakeLists.txt.
cmake_minimum_required(VERSION 3.20)
foreach(var ROOT MAKEFILE LIST)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "octave-package.cmake: -D${var}=... is required")
  endif()
endforeach()

file(READ ${ROOT}/CMakeLists.txt text)
string(REGEX MATCHALL "\n[ \t]*set\\((units_[A-Za-z0-9_]+|octave_cxxflags)[ \t\n][^)]*\\)" sets "${text}")
foreach(command IN LISTS sets)
  cmake_language(EVAL CODE "${command}")
endforeach()
if(NOT DEFINED octave_cxxflags OR NOT octave_cxxflags MATCHES "-ffp-contract=off")
  message(FATAL_ERROR "CMakeLists.txt sets no octave_cxxflags with -ffp-contract=off")
endif()

set(rows "")
function(mixfilt_deliverable module platform variant flavour exportname extras)
  if(platform STREQUAL "octave")
    if(NOT extras STREQUAL "")
      message(FATAL_ERROR "${module}: the package cannot build the Octave extras '${extras}'")
    endif()
    set(rows ${rows} "${module}:${variant}:${flavour}" PARENT_SCOPE)
  endif()
endfunction()
include(${ROOT}/cmake/deliverables.cmake)
if(rows STREQUAL "")
  message(FATAL_ERROR "cmake/deliverables.cmake has no Octave module")
endif()

set(targets "")
set(rules "")
set(list "")
foreach(row IN LISTS rows)
  string(REPLACE ":" ";" row "${row}")
  list(GET row 0 module)
  list(GET row 1 variant)
  list(GET row 2 flavour)
  if(NOT DEFINED units_${module})
    message(FATAL_ERROR "CMakeLists.txt sets no units_${module}")
  endif()
  set(sources modules/${module}.cpp ${units_${module}})
  foreach(source IN LISTS sources)
    if(NOT EXISTS ${ROOT}/${source})
      message(FATAL_ERROR "${module}: ${source} does not exist")
    endif()
  endforeach()
  list(JOIN sources " " sources)
  string(APPEND targets " ${module}.mex")
  string(APPEND rules "\n${module}.mex: ${sources} $(HEADERS)\n"
    "\t$(MKOCTFILE) --mex -DMIXFILT_API_${variant} -DMIXFILT_FLAVOUR_${flavour} -I. ${sources} -o $@\n")
  string(APPEND list "${module} ${sources}\n")
endforeach()

file(WRITE ${MAKEFILE} "# Builds the modules when the package is installed: pkg install runs make here and
# passes MKOCTFILE.
MKOCTFILE ?= mkoctfile
export CXXFLAGS = ${octave_cxxflags}
HEADERS = $(wildcard kernels/*.hpp gateway/*.hpp)

.PHONY: all clean
all:${targets}
${rules}
clean:
\trm -f *.mex
")
file(WRITE ${LIST} "${list}")
