add_executable(aboutdialogs_tests
  ${PROJECT_SOURCE_DIR}/tests/support/widgettestmain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmbug_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmabout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bugaboutentries_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/modaldriver.h ${CMAKE_SOURCE_DIR}/tests/support/scripteddialogs.h)
quorbel_target(aboutdialogs_tests)
target_link_libraries(aboutdialogs_tests PRIVATE quorbel_aboutdialogs quorbel_addin quorbel_settings quorbel_testsupport
  Qt6::Test Qt6::Widgets GTest::gtest)
target_compile_definitions(aboutdialogs_tests PRIVATE QUORBEL_IMAGE_DIR="${CMAKE_CURRENT_BINARY_DIR}")
gtest_discover_tests(aboutdialogs_tests DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
