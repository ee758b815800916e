# Registers a control library for the user at build time:
#   cmake -DREGCTL=<zorvic_regctl> -DLIBRARY=<library> -P RegisterControl.cmake
# A registry that cannot be written (a read-only home, a build as another user) is no reason to
# fail the build: the library is built, and the warning says how to register it later.
execute_process(
    COMMAND "${REGCTL}" register "${LIBRARY}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE error
)
if(result EQUAL 0)
    message(STATUS "${output}")
else()
    string(STRIP "${error}" error)
    message(WARNING "The control library was built but not registered: ${error}\n"
                    "Register it with: ${REGCTL} register ${LIBRARY}")
endif()
