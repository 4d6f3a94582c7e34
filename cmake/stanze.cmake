# The rooms of the house, each a static library over its own folder of src/.
# A room names the rooms it may use; its headers reach only the rooms that
# link it, because each room's include root is a folder of its own in the
# build tree that holds just that room (a link to src/ROOM). An include that
# runs upward, or sideways to a room not named, then fails to compile.
# docs/architettura.md draws the same graph, and a test keeps it true.

set(OD_RADICI_STANZE ${CMAKE_BINARY_DIR}/stanze)

# od_stanza(TARGET FOLDER [USES room...]): the library TARGET over src/FOLDER.
function(od_stanza bersaglio cartella)
  cmake_parse_arguments(PARSE_ARGV 2 STANZA "" "" "USA")
  file(GLOB sorgenti CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${cartella}/*.cpp)
  list(FILTER sorgenti EXCLUDE REGEX "/main_[^/]*\\.cpp$")
  # One file per platform: *_windows.cpp on Windows, *_posix.cpp elsewhere,
  # and *_x11.cpp where the X11 library is found.
  if(WIN32)
    list(FILTER sorgenti EXCLUDE REGEX "_(posix|x11)\\.cpp$")
  else()
    list(FILTER sorgenti EXCLUDE REGEX "_windows\\.cpp$")
    if(NOT X11_FOUND)
      list(FILTER sorgenti EXCLUDE REGEX "_x11\\.cpp$")
    endif()
  endif()
  add_library(${bersaglio} STATIC ${sorgenti})
  set(radice ${OD_RADICI_STANZE}/${bersaglio})
  get_filename_component(genitore ${radice}/${cartella} DIRECTORY)
  file(MAKE_DIRECTORY ${genitore})
  if(NOT EXISTS ${radice}/${cartella})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${cartella} ${radice}/${cartella} SYMBOLIC)
  endif()
  target_include_directories(${bersaglio} PUBLIC ${radice})
  target_link_libraries(${bersaglio} PUBLIC ${STANZA_USA})
  set_property(GLOBAL APPEND PROPERTY OD_STANZE ${bersaglio})
  set_property(TARGET ${bersaglio} PROPERTY OD_USA "${STANZA_USA}")
endfunction()

# Writes build/stanze.txt: one line per room, "room: rooms it uses", for the
# test that compares the house with its picture.
function(od_scrivi_stanze)
  get_property(stanze GLOBAL PROPERTY OD_STANZE)
  set(testo "")
  foreach(stanza ${stanze})
    get_property(usa TARGET ${stanza} PROPERTY OD_USA)
    list(JOIN usa " " usa)
    string(APPEND testo "${stanza}: ${usa}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/stanze.txt "${testo}")
endfunction()
