# The browser build (emscripten, through scripts/web.sh): libpng and zlib come from Debian's
# sources built for WebAssembly, passed in as PNG_LIBRARY and ZLIB_LIBRARY. The platform folders
# are the desktop's, except that platform/web stands in for platform/sdl behind the same backend
# declarations. The backend is not complete yet (no frame pacing, sound or storage), so the
# layer's libraries, the game and the asset generator are compiled, and no program is linked.
find_package(PNG REQUIRED)
find_package(Threads REQUIRED)

add_library(pokutan_platform_headers INTERFACE)
target_include_directories(pokutan_platform_headers INTERFACE platform/include)
function(pokutan_web_platform_folder folder)
  file(GLOB sources CONFIGURE_DEPENDS platform/${folder}/*.cpp)
  add_library(pokutan_${folder} STATIC ${sources})
  target_include_directories(pokutan_${folder} PRIVATE platform)
  target_link_libraries(pokutan_${folder} PUBLIC pokutan_platform_headers ${ARGN})
endfunction()
# The same folders and layering as the desktop's, with the browser's backend for SDL's.
pokutan_web_platform_folder(seam)
pokutan_web_platform_folder(web)
pokutan_web_platform_folder(mmio)
pokutan_web_platform_folder(raster PUBLIC pokutan_seam Threads::Threads)
pokutan_web_platform_folder(win32 PUBLIC pokutan_web pokutan_seam)
pokutan_web_platform_folder(d3d9 PUBLIC pokutan_raster pokutan_win32 pokutan_web pokutan_seam)
pokutan_web_platform_folder(d3dx9 PUBLIC pokutan_d3d9 pokutan_win32 pokutan_seam PRIVATE PNG::PNG)
pokutan_web_platform_folder(dsound PUBLIC pokutan_web pokutan_seam Threads::Threads)
pokutan_web_platform_folder(dinput PUBLIC pokutan_win32 pokutan_web pokutan_seam)
# Without SSE2 (WebAssembly here) the span filler's vector helpers go unused; the portable loop
# is the one that runs.
set_source_files_properties(platform/raster/fused_span.cpp PROPERTIES
  COMPILE_OPTIONS -Wno-unneeded-internal-declaration)
# platform/gl is left out: it reaches GL through libepoxy. d3d9's renderer choice still names the
# GL renderer, so linking a program needs that folder built on WebGL 2 first.
add_library(pokutan_platform INTERFACE)
target_link_libraries(pokutan_platform INTERFACE pokutan_win32 pokutan_d3d9 pokutan_d3dx9
  pokutan_dsound pokutan_dinput pokutan_mmio)

file(GLOB GAME_SOURCES CONFIGURE_DEPENDS
  frame/*.cpp game/*.cpp graphics/*.cpp sound/*.cpp input/*.cpp)
add_library(pokutan_game STATIC ${GAME_SOURCES})
target_include_directories(pokutan_game PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(pokutan_game PUBLIC pokutan_platform)

# The asset generator's library (the page will make Resource/ in memory with it).
file(GLOB ASSET_SOURCES CONFIGURE_DEPENDS tools/*.cpp)
list(REMOVE_ITEM ASSET_SOURCES ${PROJECT_SOURCE_DIR}/tools/main.cpp)
add_library(pokutan_asset_generator STATIC ${ASSET_SOURCES})
target_include_directories(pokutan_asset_generator PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(pokutan_asset_generator PRIVATE PNG::PNG)
