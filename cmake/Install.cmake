include(CMakePackageConfigHelpers)

install(TARGETS TeskUtilityLib EXPORT TeskUtilityLibTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/tesk DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS teskutil RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT TeskUtilityLibTargets NAMESPACE TeskUtilityLib::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TeskUtilityLib)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/TeskUtilityLibConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/TeskUtilityLibConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TeskUtilityLib)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/TeskUtilityLibConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/TeskUtilityLibConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/TeskUtilityLibConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TeskUtilityLib)

configure_file(${CMAKE_CURRENT_LIST_DIR}/teskutility.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/teskutility.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/teskutility.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
