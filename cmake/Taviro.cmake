# Small wrappers so that each target is a few lines.

# taviro_add_library(NAME [SOURCES files...] [GLOB] [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
# GLOB takes every .cpp/.h of the calling folder (not subfolders).
function(taviro_add_library name)
    cmake_parse_arguments(ARG "GLOB" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
    set(srcs ${ARG_SOURCES})
    if(ARG_GLOB)
        file(GLOB globbed CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
        list(APPEND srcs ${globbed})
    endif()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# taviro_add_test(NAME SOURCES files... DEPS libs... [GL] [TIMEOUT s] [LABELS ...])
# Tests run on the offscreen platform with their own settings folder. GL marks tests that draw with
# OpenGL: under the sanitizers, full-stack leak unwinding makes the software GL driver's shader compiler
# take many minutes, and its one-off allocations cannot be attributed with fast unwinding, so those tests
# check memory errors but not leaks (the modules' GL-free tests check their leaks), and are compiled with
# TAVIRO_SANITIZED_GL so that they can leave out what needs a real software GL window.
function(taviro_add_test name)
    cmake_parse_arguments(ARG "GL" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test taviro_test_support ${ARG_DEPS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(_env "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config;HOME=${CMAKE_BINARY_DIR}/test-home")
    if(TAVIRO_SANITIZE AND ARG_GL)
        target_compile_definitions(${name} PRIVATE TAVIRO_SANITIZED_GL)
        list(APPEND _env "ASAN_OPTIONS=detect_leaks=0")
        list(APPEND _env "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    elseif(TAVIRO_SANITIZE)
        # Full stacks so the suppressions can see the system library under Qt's own allocations.
        list(APPEND _env "LSAN_OPTIONS=fast_unwind_on_malloc=0:suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp")
        list(APPEND _env "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    endif()
    if(TAVIRO_TSAN)
        list(APPEND _env "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${PROJECT_SOURCE_DIR}/tests/support/tsan.supp")
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${_env}")
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()

# Adds every subfolder of the calling folder that has a CMakeLists.txt, except those named in EXCEPT.
function(taviro_add_subfolders)
    cmake_parse_arguments(ARG "" "" "EXCEPT" ${ARGN})
    file(GLOB _dirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(_d ${_dirs})
        get_filename_component(_n ${_d} NAME)
        if(IS_DIRECTORY ${_d} AND EXISTS ${_d}/CMakeLists.txt AND NOT _n IN_LIST ARG_EXCEPT)
            add_subdirectory(${_n})
        endif()
    endforeach()
endfunction()
