# Installing the libraries as the CMake package "Quorrin": find_package(Quorrin CONFIG) gives
# Quorrin::Board (the widget) and Quorrin::Engine (the standard-library-only rules API).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The engine's headers that the board's header and a rules-only user need; the rest of engine/
# stays inside the library.
set_target_properties(quorrin_engine PROPERTIES EXPORT_NAME Engine POSITION_INDEPENDENT_CODE ON)
set_property(TARGET quorrin_engine PROPERTY INTERFACE_INCLUDE_DIRECTORIES "")
set(QUORRIN_ENGINE_API)
foreach(name BoardTypes ChessEngine HostInterfaces LayoutText Notation Squares)
  if(EXISTS ${PROJECT_SOURCE_DIR}/engine/${name}.h)
    list(APPEND QUORRIN_ENGINE_API ${PROJECT_SOURCE_DIR}/engine/${name}.h)
  endif()
endforeach()
target_sources(quorrin_engine PUBLIC FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR}
  FILES ${QUORRIN_ENGINE_API})
if(NOT TARGET Quorrin::Engine)
  add_library(Quorrin::Engine ALIAS quorrin_engine)
endif()

set(QUORRIN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorrin)
# The headers keep their folders (board/, engine/) under include/quorrin.
install(TARGETS quorrin_engine quorrin_board quorrin_platform EXPORT QuorrinTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorrin
  FILE_SET generated_headers DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorrin)
install(EXPORT QuorrinTargets NAMESPACE Quorrin:: DESTINATION ${QUORRIN_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuorrinConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfig.cmake INSTALL_DESTINATION ${QUORRIN_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QuorrinConfigVersion.cmake
        DESTINATION ${QUORRIN_CMAKE_DIR})
