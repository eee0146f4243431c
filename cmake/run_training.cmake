# A training run of the profile-guided build (see profile_guided.cmake):
# clears the counts of an earlier run, runs SCRIPT, and copies the counts
# next to the objects of the optimised build.
#
# Variables: TRAINER, TRAINING_OBJECTS, OBJECT_DIRS, WORK_DIR, SCRIPT, and
# INPUTS for the script.

# Counts of an earlier binary would be merged into the new ones.
file(GLOB_RECURSE stale ${TRAINING_OBJECTS}/*.gcda)
if(stale)
    file(REMOVE ${stale})
endif()
file(MAKE_DIRECTORY ${WORK_DIR})

include(${SCRIPT})

file(GLOB_RECURSE counts RELATIVE ${TRAINING_OBJECTS} ${TRAINING_OBJECTS}/*.gcda)
if(NOT counts)
    message(FATAL_ERROR "the training run wrote no profile into ${TRAINING_OBJECTS}")
endif()
foreach(dir ${OBJECT_DIRS})
    foreach(count ${counts})
        configure_file(${TRAINING_OBJECTS}/${count} ${dir}/${count} COPYONLY)
    endforeach()
endforeach()
