# The native Windows program: the game sources compiled against the Windows SDK headers and
# linked with its import libraries, without our platform layer. Only platform/native/ differs
# from the Linux build: the C runtime header stand-in and the resource script (icon, manifest).
# The asset generator runs on the build machine, so a host build of it is passed in.
set(POKUTAN_ASSET_GENERATOR "" CACHE FILEPATH "pokutan_assets built for the build machine")
if(NOT EXISTS "${POKUTAN_ASSET_GENERATOR}")
  message(FATAL_ERROR "POKUTAN_ASSET_GENERATOR must name a host build of pokutan_assets "
    "(scripts/build-windows.sh builds one)")
endif()
enable_language(RC)

set(POKUTAN_RUN_DIR ${CMAKE_BINARY_DIR}/run)
set(NATIVE_DIR ${PROJECT_SOURCE_DIR}/platform/native)
set(ICON_FILE ${CMAKE_BINARY_DIR}/pokutan.ico)

file(GLOB GAME_SOURCES CONFIGURE_DEPENDS
  frame/*.cpp game/*.cpp graphics/*.cpp sound/*.cpp input/*.cpp)

# The resource script names its files by absolute path, so it is written into the build.
configure_file(${NATIVE_DIR}/pokutan.rc.in ${CMAKE_BINARY_DIR}/pokutan.rc @ONLY)
add_custom_command(OUTPUT ${ICON_FILE}
  COMMAND ${POKUTAN_ASSET_GENERATOR} --icon-file ${ICON_FILE}
  DEPENDS ${POKUTAN_ASSET_GENERATOR}
  COMMENT "Generating the program's icon file"
  VERBATIM)
set_source_files_properties(${CMAKE_BINARY_DIR}/pokutan.rc PROPERTIES
  OBJECT_DEPENDS "${ICON_FILE};${NATIVE_DIR}/pokutan.manifest")

add_executable(pokutan WIN32 ${GAME_SOURCES} ${CMAKE_BINARY_DIR}/pokutan.rc)
target_include_directories(pokutan PRIVATE ${PROJECT_SOURCE_DIR} ${NATIVE_DIR})
# The SDK's windows.h would otherwise define min and max as macros.
target_compile_definitions(pokutan PRIVATE NOMINMAX)
target_link_libraries(pokutan PRIVATE d3dx9_43 d3d9 dsound dinput8 dxguid winmm user32 gdi32)
# The C and C++ runtimes go into the .exe, so the folder needs no compiler DLLs.
target_link_options(pokutan PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(pokutan PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${POKUTAN_RUN_DIR})

set(RESOURCE_STAMP ${CMAKE_BINARY_DIR}/resource.stamp)
add_custom_command(OUTPUT ${RESOURCE_STAMP}
  COMMAND ${POKUTAN_ASSET_GENERATOR} ${POKUTAN_RUN_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${RESOURCE_STAMP}
  DEPENDS ${POKUTAN_ASSET_GENERATOR}
  COMMENT "Generating the Resource/ tree in ${POKUTAN_RUN_DIR}"
  VERBATIM)
add_custom_target(pokutan_resources ALL DEPENDS ${RESOURCE_STAMP})
add_dependencies(pokutan pokutan_resources)
