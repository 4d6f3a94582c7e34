# What `cmake --install` puts where GNUInstallDirs says, and the packages
# CPack makes of it: a .zip of the Windows build, a .tar.gz elsewhere.
include(GNUInstallDirs)

install(TARGETS orsella_drumvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(OD_STRUMENTI)
  install(TARGETS ${OD_STRUMENTI} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The handbook's pictures sit beside it, so its links hold once installed.
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)

set(CPACK_PACKAGE_NAME orsella_drumvane)
set(CPACK_PACKAGE_VENDOR "Orsella Drumvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Scenario builder for a train-driving simulator, with tools for scenario authors")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
