# The authors' tools beside the generator: they may use well-kept system
# libraries (arguments, JSON, formatting), which the generator and od_core
# never do. A machine without those libraries still builds everything else.
find_package(CLI11 CONFIG QUIET)
find_package(nlohmann_json CONFIG QUIET)
find_package(fmt CONFIG QUIET)

if(NOT (CLI11_FOUND AND nlohmann_json_FOUND AND fmt_FOUND))
  message(STATUS "mostra_scenario skipped: it needs CLI11, nlohmann/json and fmt "
                 "(libcli11-dev, nlohmann-json3-dev, libfmt-dev)")
  return()
endif()

file(GLOB OD_STRUMENTI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/tools/mostra/*.cpp)
add_library(od_strumenti STATIC ${OD_STRUMENTI_SOURCES})
target_link_libraries(od_strumenti PUBLIC od_core CLI11::CLI11 nlohmann_json::nlohmann_json fmt::fmt)

add_executable(mostra_scenario ${CMAKE_SOURCE_DIR}/src/tools/main_mostra_scenario.cpp)
target_link_libraries(mostra_scenario PRIVATE od_strumenti)

if(OD_TESTS)
  file(GLOB OD_TOOLS_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp)
  add_executable(od_tools_tests ${OD_TOOLS_TEST_SOURCES})
  target_link_libraries(od_tools_tests PRIVATE od_strumenti GTest::gtest_main)
  target_include_directories(od_tools_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  # The picture test renders with the system's SVG renderer when it is there.
  find_program(OD_RSVG_CONVERT rsvg-convert)
  target_compile_definitions(od_tools_tests PRIVATE
    OD_MOSTRA="$<TARGET_FILE:mostra_scenario>"
    OD_RSVG_CONVERT="${OD_RSVG_CONVERT}")
  add_dependencies(od_tools_tests mostra_scenario)
  gtest_discover_tests(od_tools_tests DISCOVERY_TIMEOUT 60)
  # The handbook's tutorial shows mostra_scenario's summary and picture.
  target_compile_definitions(od_tests PRIVATE OD_MOSTRA="$<TARGET_FILE:mostra_scenario>")
  add_dependencies(od_tests mostra_scenario)
endif()
