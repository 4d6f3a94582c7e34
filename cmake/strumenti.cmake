# The authors' tools beside the generator: compila_scenario, mostra_scenario,
# decompila_scenario, and the language server servizio_scenario.
# They may use well-kept system libraries (arguments, JSON, formatting),
# which the generator and od_core never do.
if(CMAKE_CROSSCOMPILING AND WIN32)
  # The three libraries are used header-only, taken from the host's system
  # packages. Only their own folders are put on the include path: the host's
  # /usr/include must not shadow the target's C library.
  set(OD_INTESTAZIONI ${CMAKE_BINARY_DIR}/intestazioni_strumenti)
  foreach(cartella CLI nlohmann fmt)
    if(NOT EXISTS /usr/include/${cartella})
      message(FATAL_ERROR "The authors' tools need /usr/include/${cartella}: install libcli11-dev, "
                          "nlohmann-json3-dev and libfmt-dev, or configure with -DOD_STRUMENTI=OFF")
    endif()
    file(MAKE_DIRECTORY ${OD_INTESTAZIONI})
    file(CREATE_LINK /usr/include/${cartella} ${OD_INTESTAZIONI}/${cartella} SYMBOLIC)
  endforeach()
  add_library(od_librerie_strumenti INTERFACE)
  target_include_directories(od_librerie_strumenti SYSTEM INTERFACE ${OD_INTESTAZIONI})
  target_compile_definitions(od_librerie_strumenti INTERFACE FMT_HEADER_ONLY)
else()
  find_package(CLI11 CONFIG QUIET)
  find_package(nlohmann_json CONFIG QUIET)
  find_package(fmt CONFIG QUIET)
  if(NOT (CLI11_FOUND AND nlohmann_json_FOUND AND fmt_FOUND))
    message(FATAL_ERROR "The authors' tools (compila_scenario, mostra_scenario) need CLI11, nlohmann/json and fmt: "
                        "apt-get install libcli11-dev nlohmann-json3-dev libfmt-dev, "
                        "or configure with -DOD_STRUMENTI=OFF to build the generator alone")
  endif()
  add_library(od_librerie_strumenti INTERFACE)
  target_link_libraries(od_librerie_strumenti INTERFACE CLI11::CLI11 nlohmann_json::nlohmann_json fmt::fmt)
endif()

# The tools' rooms: the read-back of the simulator's files, what every tool
# shares (its command line), and one room per tool.
od_stanza(od_rilettura rilettura USA od_output od_builder od_elementi od_modello od_platform od_librerie_strumenti)
od_stanza(od_comune tools/comune USA od_documents od_percorrenza od_builder od_elementi od_modello od_platform od_librerie_strumenti)
od_stanza(od_compila tools/compila USA od_comune od_costruzione od_percorrenza od_builder od_modello od_scenario_text od_platform)
od_stanza(od_mostra tools/mostra USA od_comune od_rilettura od_costruzione od_output od_percorrenza od_builder od_elementi od_modello od_platform)
od_stanza(od_decompila tools/decompila USA od_comune od_rilettura od_costruzione od_output od_builder od_elementi od_modello od_scenario_text od_platform)
od_stanza(od_servizio tools/servizio USA od_comune od_costruzione od_percorrenza od_builder od_elementi od_modello od_scenario_text od_platform)
add_library(od_strumenti INTERFACE)
target_link_libraries(od_strumenti INTERFACE od_compila od_mostra od_decompila od_servizio)
# --version of every tool: the project's version, one line.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/tools/comune/riga_comando.cpp PROPERTIES
  COMPILE_DEFINITIONS OD_VERSIONE="${PROJECT_VERSION}")

set(OD_STRUMENTI compila_scenario mostra_scenario decompila_scenario servizio_scenario)
foreach(strumento ${OD_STRUMENTI})
  add_executable(${strumento} ${CMAKE_SOURCE_DIR}/src/tools/main_${strumento}.cpp)
  target_link_libraries(${strumento} PRIVATE od_strumenti)
endforeach()

if(OD_FUZZ)
  add_executable(fuzz_decompila ${CMAKE_SOURCE_DIR}/fuzz/fuzz_decompila.cpp)
  target_link_libraries(fuzz_decompila PRIVATE od_strumenti)
  target_compile_options(fuzz_decompila PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_decompila PRIVATE -fsanitize=fuzzer)
endif()

# The editor's loop (the language server, --osserva): its own benchmark
# program, since it needs the tools' libraries.
if(OD_BENCHMARKS)
  add_executable(od_bench_servizio ${CMAKE_SOURCE_DIR}/bench/bench_servizio.cpp)
  target_link_libraries(od_bench_servizio PRIVATE od_strumenti od_core benchmark::benchmark_main)
endif()

if(OD_TESTS)
  file(GLOB OD_TOOLS_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/rilettura/*.cpp)
  add_executable(od_tools_tests ${OD_TOOLS_TEST_SOURCES})
  target_link_libraries(od_tools_tests PRIVATE od_strumenti od_core GTest::gtest_main)
  target_include_directories(od_tools_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  # The picture test renders with the system's SVG renderer when it is there.
  find_program(OD_RSVG_CONVERT rsvg-convert)
  target_compile_definitions(od_tools_tests PRIVATE
    OD_MOSTRA="$<TARGET_FILE:mostra_scenario>"
    OD_COMPILA="$<TARGET_FILE:compila_scenario>"
    OD_DECOMPILA="$<TARGET_FILE:decompila_scenario>"
    OD_SERVIZIO="$<TARGET_FILE:servizio_scenario>"
    OD_MANUALE="${CMAKE_SOURCE_DIR}/docs/manuale.md"
    OD_GENERATORE="$<TARGET_FILE:orsella_drumvane>"
    OD_VERSIONE="${PROJECT_VERSION}"
    OD_CORPUS="${CMAKE_SOURCE_DIR}/fuzz/corpus"
    OD_RSVG_CONVERT="${OD_RSVG_CONVERT}")
  add_dependencies(od_tools_tests ${OD_STRUMENTI} orsella_drumvane)
  gtest_discover_tests(od_tools_tests DISCOVERY_TIMEOUT 60)
  # The handbook's tutorial shows mostra_scenario's summary and picture.
  # ... and the driver's documents that compila_scenario writes for it.
  target_compile_definitions(od_tests PRIVATE OD_MOSTRA="$<TARGET_FILE:mostra_scenario>"
                                              OD_COMPILA="$<TARGET_FILE:compila_scenario>")
  add_dependencies(od_tests mostra_scenario compila_scenario)
endif()
