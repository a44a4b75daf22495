# Targets of the in-memory loader that more than one build needs: the main build, the 32-bit x86
# loader-only build and the fuzzing build all include this file.
#   petsim_loader_sources(<var>)               the loader's sources
#   petsim_image_builder(<name>)               static library of the image builder
#   petsim_stored_skin_library(<loader> <builder>)
#       builds the tool that stores the skinning library's stand-in and adds the source it makes
#       to <loader>. A build whose programs cannot run on the build machine (the 32-bit one)
#       names a natively built tool in PETSIM_STORED_SKIN_LIBRARY_TOOL instead.
set(PETSIM_LOADER_SRC_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
set(PETSIM_LOADER_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR}/../../tools)

# The kernel services are the one platform part: loader/posix or loader/win32.
function(petsim_loader_sources var)
  if(WIN32)
    set(platform win32)
  else()
    set(platform posix)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${PETSIM_LOADER_SRC_DIR}/loader/*.cpp
       ${PETSIM_LOADER_SRC_DIR}/loader/${platform}/*.cpp)
  set(${var} ${sources} PARENT_SCOPE)
endfunction()

function(petsim_image_builder name)
  file(GLOB sources CONFIGURE_DEPENDS ${PETSIM_LOADER_SRC_DIR}/loader/builder/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PETSIM_LOADER_SRC_DIR})
endfunction()

function(petsim_stored_skin_library loader builder)
  if(PETSIM_STORED_SKIN_LIBRARY_TOOL)
    set(tool ${PETSIM_STORED_SKIN_LIBRARY_TOOL})
  else()
    add_executable(petsim_make_stored_skin_library
                   ${PETSIM_LOADER_TOOLS_DIR}/MakeStoredSkinLibrary.cpp)
    target_link_libraries(petsim_make_stored_skin_library PRIVATE ${builder})
    set(tool petsim_make_stored_skin_library)
  endif()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/StoredSkinLibraryBlob.cpp)
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${tool} ${generated}
    DEPENDS ${tool}
    COMMENT "Storing the skinning library's stand-in"
    VERBATIM)
  target_sources(${loader} PRIVATE ${generated})
endfunction()
