# The program: build/lumaro.
add_executable(lumaro ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(lumaro PRIVATE lumaro_ui_qt lumaro_app Qt6::Widgets)
set_target_properties(lumaro PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
