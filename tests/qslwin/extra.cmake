# The command-line test runs the program itself.
target_compile_definitions(tst_qslcommand PRIVATE VOSMIRA_BINARY="$<TARGET_FILE:vosmira>")
add_dependencies(tst_qslcommand vosmira)
