# Installing the libraries as the CMake package "Quorrin": find_package(Quorrin CONFIG) gives
# Quorrin::Board (the widget) and Quorrin::Engine (the standard-library-only rules API).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUORRIN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorrin)
# The headers keep their folders (board/, engine/) under include/quorrin.
# They are the Development component, left out of the Debian package (cmake/Packaging.cmake).
install(TARGETS quorrin_engine quorrin_board quorrin_platform EXPORT QuorrinTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorrin COMPONENT Development)
install(EXPORT QuorrinTargets NAMESPACE Quorrin:: DESTINATION ${QUORRIN_CMAKE_DIR}
        COMPONENT Development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuorrinConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfig.cmake INSTALL_DESTINATION ${QUORRIN_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfigVersion.cmake
        DESTINATION ${QUORRIN_CMAKE_DIR} COMPONENT Development)
