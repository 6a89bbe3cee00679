# The Windows build: run-time helpers, window layer, the two forms, the tool, and its helpers.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Everything but the entry, so that test programs link the same code.
add_library(talvorinte_app STATIC
  src/rtl/format.cpp
  src/rtl/ini.cpp
  src/rtl/system.cpp
  src/ui/application.cpp
  src/ui/controls.cpp
  src/ui/form.cpp
  src/ui/window.cpp
  src/Unit1.cpp
  src/Unit1Layout.cpp
)
target_include_directories(talvorinte_app PUBLIC src)
target_link_libraries(talvorinte_app PUBLIC talvorinte_core comctl32 gdi32 user32 kernel32)

add_executable(UpTalvorinte WIN32 src/UpTalvorinte.cpp src/UpTalvorinte.rc)
target_link_libraries(UpTalvorinte PRIVATE talvorinte_app)
# One static executable: no runtime DLLs beside it.
target_link_options(UpTalvorinte PRIVATE -municode -static -static-libgcc -static-libstdc++)
set_property(SOURCE src/UpTalvorinte.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/assets/mainicon.ico ${CMAKE_SOURCE_DIR}/src/UpTalvorinte.manifest)
target_include_directories(UpTalvorinte PRIVATE assets src)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/assets -I${CMAKE_SOURCE_DIR}/src")
