# Helper functions shared by every folder's CMakeLists.txt.

# Adds each immediate subfolder of the given folders that has a CMakeLists.txt.
function(quillo_add_subdirectories)
    foreach(parent IN LISTS ARGN)
        file(GLOB children LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/${parent}/*)
        list(SORT children)
        foreach(child IN LISTS children)
            if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
                add_subdirectory(${child})
            endif()
        endforeach()
    endforeach()
endfunction()

# Our own code builds with warnings on and treated as errors.
function(quillo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-parameter
                                             $<$<COMPILE_LANGUAGE:CXX>:-Wno-missing-field-initializers>)
endfunction()

# quillo_pure_library(name SOURCES...): Windows-free code, built in both builds. The host test
# executable links every pure library.
function(quillo_pure_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
    quillo_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY QUILLO_PURE_LIBS ${name})
endfunction()

# Common settings of Windows targets.
function(quillo_windows_target target)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}
                                                 ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/res)
    quillo_warnings(${target})
endfunction()

# quillo_program(name [GUI] SOURCES ... LIBS ...): a Windows program with a wWinMain or wmain entry.
function(quillo_program name)
    cmake_parse_arguments(P "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${P_SOURCES})
    quillo_windows_target(${name})
    target_link_options(${name} PRIVATE -municode)
    if(P_GUI)
        set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE ON)
    endif()
    target_link_libraries(${name} PRIVATE ${P_LIBS})
endfunction()

# quillo_module(name SUFFIX .dll|.ax SOURCES ... DEF file LIBS ...): a DLL or filter module.
function(quillo_module name)
    cmake_parse_arguments(P "" "SUFFIX;DEF" "SOURCES;LIBS" ${ARGN})
    add_library(${name} SHARED ${P_SOURCES})
    quillo_windows_target(${name})
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX "${P_SUFFIX}")
    if(P_DEF)
        target_sources(${name} PRIVATE ${P_DEF})
        target_link_options(${name} PRIVATE -Wl,--kill-at)
    endif()
    target_link_libraries(${name} PRIVATE ${P_LIBS})
endfunction()

# quillo_win_test(name SOURCES ... LIBS ... [TIMEOUT s]): a GoogleTest program run under Wine by CTest, with
# the shared test support (tests/support) and its entry, which names every skipped case at the end.
function(quillo_win_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    quillo_windows_target(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBS} quillo_test_support quillo_test_main gmock)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
endfunction()
