# A build with one grid column more (SubmodeColumn.inc appended to the column
# table): the data layer, the change form's reader and the grid compiled again
# with it, and a test that the new column reaches each of them. It links
# nothing built from the usual table.
file(GLOB extra_column_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/logdata/*.cpp ${PROJECT_SOURCE_DIR}/src/logdata/*.h
  ${PROJECT_SOURCE_DIR}/src/widgets/*.cpp ${PROJECT_SOURCE_DIR}/src/widgets/*.h)
add_executable(tst_extracolumn ${CMAKE_CURRENT_LIST_DIR}/extra_column_test.cpp
  ${extra_column_sources}
  ${PROJECT_SOURCE_DIR}/src/editing/ChangeFieldsReader.cpp
  ${PROJECT_SOURCE_DIR}/src/mainwin/StringGrid.cpp ${PROJECT_SOURCE_DIR}/src/mainwin/StringGrid.h)
target_include_directories(tst_extracolumn PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(tst_extracolumn PRIVATE
  VOSMIRA_EXTRA_COLUMN="${CMAKE_CURRENT_LIST_DIR}/SubmodeColumn.inc")
target_link_libraries(tst_extracolumn PRIVATE Qt6::Widgets Qt6::Test JPEG::JPEG)
add_test(NAME tst_extracolumn COMMAND tst_extracolumn)
set_tests_properties(tst_extracolumn PROPERTIES ENVIRONMENT "${VOSMIRA_TEST_ENV}" TIMEOUT 120)
