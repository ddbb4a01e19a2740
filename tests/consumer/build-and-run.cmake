# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures, builds and runs the consumer project; any failure fails the test.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN}\n${out}")
    endif()
endfunction()

run(${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -G ${GENERATOR} -DQUADRELON_SOURCE_DIR=${QUADRELON})
run(${CMAKE_COMMAND} --build ${BINARY} --target consumer)
run(${BINARY}/consumer)
