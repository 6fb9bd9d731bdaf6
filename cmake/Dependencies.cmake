# Third-party libraries, as Debian ships them. The cross build takes only the
# header-only ones from the host, through a folder that links to just those trees.
find_package(Threads REQUIRED)

add_library(kit_headers INTERFACE)   # Boost, nlohmann-json, spdlog+fmt (header-only)
target_compile_definitions(kit_headers INTERFACE
  SPDLOG_HEADER_ONLY FMT_HEADER_ONLY
  BOOST_ASIO_NO_DEPRECATED BOOST_ALL_NO_LIB)
target_link_libraries(kit_headers INTERFACE Threads::Threads)

if(CMAKE_CROSSCOMPILING)
  set(KIT_HOST_INCLUDE ${CMAKE_BINARY_DIR}/host-include)
  file(MAKE_DIRECTORY ${KIT_HOST_INCLUDE})
  foreach(tree boost nlohmann spdlog fmt easylogging++.h easylogging++.cc)
    if(NOT EXISTS ${KIT_HOST_INCLUDE}/${tree})
      file(CREATE_LINK /usr/include/${tree} ${KIT_HOST_INCLUDE}/${tree} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(kit_headers SYSTEM INTERFACE ${KIT_HOST_INCLUDE})
  # Asio on Windows needs the socket libraries.
  target_link_libraries(kit_headers INTERFACE ws2_32 mswsock)

  # GoogleTest from the sources Debian installs, built with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(OpenSSL REQUIRED)
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
endif()

if(CMAKE_CROSSCOMPILING)
  set(ZLIB_USE_STATIC_LIBS ON)  # the cross build links everything in; natively libvelkor.so needs PIC zlib
endif()
find_package(ZLIB REQUIRED)
