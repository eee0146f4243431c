# Profile-guided optimisation of a g++ release build: an instrumented copy of
# a program is built and run on training inputs, and the program's own
# objects are compiled with the branch and call counts of that run. The
# profile changes only how the code is laid out and inlined, never what it
# does; the test suite runs on the optimised programs.
option(CORVANE_PGO "Optimise the programs with the profile of a training run (g++ release builds)" ON)

function(corvane_profile_enabled result)
    if(CORVANE_PGO AND NOT CORVANE_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
       AND CMAKE_BUILD_TYPE STREQUAL "Release")
        set(${result} TRUE PARENT_SCOPE)
    else()
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()

# corvane_profile_guided(TRAINING name SOURCES files... INCLUDES dirs...
#                        OPTIMISED targets... SCRIPT file INPUTS files...)
# builds the instrumented program TRAINING from SOURCES, runs SCRIPT with
# TRAINER set to it, INPUTS to the files given (its training inputs, on
# which the run depends) and WORK_DIR to a scratch folder, and compiles the
# targets OPTIMISED (which together hold the same sources) with the counts.
function(corvane_profile_guided)
    cmake_parse_arguments(PGO "" "TRAINING;SCRIPT" "SOURCES;INCLUDES;OPTIMISED;INPUTS" ${ARGN})
    # Local functions are told apart by their number in the file, not by a
    # hash of the object's name, which differs between the two builds.
    set(ids --param=profile-func-internal-id=1)
    add_executable(${PGO_TRAINING} ${PGO_SOURCES})
    target_include_directories(${PGO_TRAINING} PRIVATE ${PGO_INCLUDES})
    target_compile_options(${PGO_TRAINING} PRIVATE -fprofile-generate -fprofile-update=single ${ids})
    target_link_options(${PGO_TRAINING} PRIVATE -fprofile-generate)

    # The counts are written next to the training objects and copied next
    # to the objects of every optimised target, under the same names; each
    # compilation reads only the file of its own object.
    set(object_dirs "")
    foreach(target ${PGO_OPTIMISED})
        list(APPEND object_dirs ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.dir)
    endforeach()
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${PGO_TRAINING}.stamp)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND}
                -DTRAINER=$<TARGET_FILE:${PGO_TRAINING}>
                -DTRAINING_OBJECTS=${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${PGO_TRAINING}.dir
                "-DOBJECT_DIRS=${object_dirs}"
                -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/${PGO_TRAINING}.work
                "-DINPUTS=${PGO_INPUTS}"
                -DSCRIPT=${PGO_SCRIPT}
                -P ${PROJECT_SOURCE_DIR}/cmake/run_training.cmake
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${PGO_TRAINING} ${PGO_SCRIPT} ${PROJECT_SOURCE_DIR}/cmake/run_training.cmake ${PGO_INPUTS}
        COMMENT "Training run of ${PGO_TRAINING} for profile-guided optimisation"
        VERBATIM)
    add_custom_target(${PGO_TRAINING}_profile DEPENDS ${stamp})
    foreach(target ${PGO_OPTIMISED})
        add_dependencies(${target} ${PGO_TRAINING}_profile)
        target_compile_options(${target} PRIVATE -fprofile-use -fprofile-partial-training ${ids})
    endforeach()
endfunction()
