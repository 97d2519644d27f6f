# The desktop files validate, and the Debian package holds what a desktop
# program installs, with the right dependencies.
# (The package is of the release build: not checked again under the sanitizers.)
if(VOSMIRA_SANITIZE)
  return()
endif()
add_test(NAME packaging
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_package.sh ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
set_tests_properties(packaging PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
