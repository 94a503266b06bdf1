# The bug report dialog and the About box, and the converter window's menu
# entries that open them.
add_library(quorbel_aboutdialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frmbug.cpp ${CMAKE_CURRENT_LIST_DIR}/frmbug.h
  ${CMAKE_CURRENT_LIST_DIR}/frmabout.cpp ${CMAKE_CURRENT_LIST_DIR}/frmabout.h
  ${CMAKE_CURRENT_LIST_DIR}/bugaboutentries.cpp ${CMAKE_CURRENT_LIST_DIR}/bugaboutentries.h)
quorbel_target(quorbel_aboutdialogs)
target_include_directories(quorbel_aboutdialogs PUBLIC ${PROJECT_SOURCE_DIR})
set_target_properties(quorbel_aboutdialogs PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_compile_definitions(quorbel_aboutdialogs PRIVATE
  QUORBEL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  QUORBEL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  QUORBEL_VERSION_PATCH=${PROJECT_VERSION_PATCH})
target_link_libraries(quorbel_aboutdialogs PUBLIC quorbel_addin quorbel_engine quorbel_seams Qt6::Widgets)
