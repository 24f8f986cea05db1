# The native Windows program: the game sources compiled against the Windows SDK headers and
# linked with its import libraries. Of our platform layer only D3DX comes along (Windows 10 and
# 11 ship no d3dx9_43.dll): platform/d3dx9 works through the public Direct3D 9 interface, so it
# runs on Windows' own Direct3D 9 as on ours, and is linked into the program. platform/native/
# adds the C runtime header stand-in and the resource script (icon, manifest).
# The asset generator runs on the build machine, so a host build of it is passed in; libpng and
# zlib are cross built from Debian's sources by scripts/windows-deps.sh.
set(POKUTAN_ASSET_GENERATOR "" CACHE FILEPATH "pokutan_assets built for the build machine")
if(NOT EXISTS "${POKUTAN_ASSET_GENERATOR}")
  message(FATAL_ERROR "POKUTAN_ASSET_GENERATOR must name a host build of pokutan_assets "
    "(scripts/build-windows.sh builds one)")
endif()
set(POKUTAN_WINDOWS_DEPS "" CACHE PATH "libpng and zlib built for Windows (scripts/windows-deps.sh)")
if(NOT EXISTS "${POKUTAN_WINDOWS_DEPS}/lib/libpng16.a" OR NOT EXISTS "${POKUTAN_WINDOWS_DEPS}/lib/libz.a")
  message(FATAL_ERROR "POKUTAN_WINDOWS_DEPS must name the prefix scripts/windows-deps.sh filled "
    "(scripts/build-windows.sh runs it)")
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

# Our D3DX. Only our d3dx9.h and d3dx9math.h are put on the include path, copied alone into the
# build, so that the SDK's windows.h and d3d9.h serve everything else. The test seam's hooks come
# along: the sprite and font ask them, and nothing on Windows turns them on.
set(D3DX_INCLUDE_DIR ${CMAKE_BINARY_DIR}/d3dx9-include)
foreach(header d3dx9.h d3dx9math.h)
  configure_file(${PROJECT_SOURCE_DIR}/platform/include/${header} ${D3DX_INCLUDE_DIR}/${header} COPYONLY)
endforeach()
file(GLOB D3DX_SOURCES CONFIGURE_DEPENDS platform/d3dx9/*.cpp)
add_library(pokutan_d3dx9 STATIC ${D3DX_SOURCES} platform/seam/hooks.cpp)
target_include_directories(pokutan_d3dx9 PUBLIC ${D3DX_INCLUDE_DIR}
  PRIVATE ${PROJECT_SOURCE_DIR}/platform ${POKUTAN_WINDOWS_DEPS}/include)
target_compile_definitions(pokutan_d3dx9 PUBLIC NOMINMAX)
target_link_libraries(pokutan_d3dx9 PUBLIC d3d9
  PRIVATE ${POKUTAN_WINDOWS_DEPS}/lib/libpng16.a ${POKUTAN_WINDOWS_DEPS}/lib/libz.a)

add_executable(pokutan WIN32 ${GAME_SOURCES} ${CMAKE_BINARY_DIR}/pokutan.rc)
target_include_directories(pokutan PRIVATE ${PROJECT_SOURCE_DIR} ${NATIVE_DIR})
# The SDK's windows.h would otherwise define min and max as macros.
target_compile_definitions(pokutan PRIVATE NOMINMAX)
target_link_libraries(pokutan PRIVATE pokutan_d3dx9 d3d9 dsound dinput8 dxguid winmm user32 gdi32)
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

# The installed game's launcher: prepares the player's own run folder under %LOCALAPPDATA% and
# starts pokutan.exe there. Not part of the run folder, which plays in place.
add_executable(pokutan-launcher WIN32 ${NATIVE_DIR}/launcher.cpp)
target_compile_definitions(pokutan-launcher PRIVATE UNICODE _UNICODE NOMINMAX)
target_link_options(pokutan-launcher PRIVATE -municode -static -static-libgcc -static-libstdc++)
