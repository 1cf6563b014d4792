# The payload: the product's files packed into the stream that the setup embeds as resource
# "FILES" of type "FILES". Every build leaves it as FILES.zlib at the top of its build folder,
# where resources/payload.rc finds it through the resource compiler's include path.

set(PENNACLE_PRODUCT_DIR "" CACHE PATH "The product's files; empty for the sample product")
set(PENNACLE_PRODUCT_LIST "" CACHE FILEPATH
    "The product's file list: one relative path a line, in archive order")
set(PENNACLE_FILES_ZLIB ${CMAKE_BINARY_DIR}/FILES.zlib)

# The tools run on the build machine. A cross build cannot run what it compiles, so it
# builds them natively from this same tree, with the build machine's compiler.
if(PENNACLE_TARGET_WINDOWS)
  include(ExternalProject)
  set(PENNACLE_HOST_C_COMPILER gcc CACHE STRING "The build machine's C compiler, for the tools")
  set(PENNACLE_HOST_CXX_COMPILER g++ CACHE STRING
      "The build machine's C++ compiler, for the tools")
  set(tools_dir ${CMAKE_BINARY_DIR}/host-tools)
  set(PACKFILES ${tools_dir}/tools/packfiles/packfiles)
  set(SAMPLEPRODUCT ${tools_dir}/tools/sampleproduct/sampleproduct)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${tools_dir}
    CMAKE_ARGS -DPENNACLE_TOOLS_ONLY=ON -DPENNACLE_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_C_COMPILER=${PENNACLE_HOST_C_COMPILER}
               -DCMAKE_CXX_COMPILER=${PENNACLE_HOST_CXX_COMPILER}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target packfiles sampleproduct
    # The tools' sources are this tree's: let their own build decide what is out of date.
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${PACKFILES} ${SAMPLEPRODUCT})
  set(packfiles_deps host_tools ${PACKFILES})
  set(sampleproduct_deps host_tools ${SAMPLEPRODUCT})
else()
  set(PACKFILES $<TARGET_FILE:packfiles>)
  set(SAMPLEPRODUCT $<TARGET_FILE:sampleproduct>)
  set(packfiles_deps packfiles)
  set(sampleproduct_deps sampleproduct)
endif()

if(PENNACLE_PRODUCT_DIR)
  if(NOT PENNACLE_PRODUCT_LIST)
    message(FATAL_ERROR "PENNACLE_PRODUCT_DIR needs PENNACLE_PRODUCT_LIST")
  endif()
  # The build cannot see which of the product's files changed: it packs on every build and
  # replaces FILES.zlib only when the stream differs, so nothing downstream rebuilds for
  # nothing.
  add_custom_target(payload ALL
    COMMAND ${PACKFILES} ${PENNACLE_PRODUCT_DIR} ${PENNACLE_PRODUCT_LIST} ${PENNACLE_FILES_ZLIB}.new
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PENNACLE_FILES_ZLIB}.new ${PENNACLE_FILES_ZLIB}
    BYPRODUCTS ${PENNACLE_FILES_ZLIB} ${PENNACLE_FILES_ZLIB}.new
    DEPENDS ${packfiles_deps}
    COMMENT "Packing the product's files into FILES.zlib"
    VERBATIM)
else()
  set(sample_dir ${CMAKE_BINARY_DIR}/sample-product)
  set(sample_list ${CMAKE_BINARY_DIR}/sample-product.lst)
  if(PENNACLE_TARGET_WINDOWS)
    # This build's own program: i686 in the win32 build, x86_64 in the win64 build.
    set(program --pnc $<TARGET_FILE:pnc>)
    set(program_deps pnc)
  else()
    # The host build has no Windows compiler: the sample gets a stand-in of the same size,
    # which no host test runs.
    set(program)
    set(program_deps)
  endif()
  add_custom_command(OUTPUT ${sample_list}
    COMMAND ${SAMPLEPRODUCT} ${program} ${sample_dir} ${sample_list}
    DEPENDS ${sampleproduct_deps} ${program_deps}
    COMMENT "Making the sample product"
    VERBATIM)
  add_custom_command(OUTPUT ${PENNACLE_FILES_ZLIB}
    COMMAND ${PACKFILES} ${sample_dir} ${sample_list} ${PENNACLE_FILES_ZLIB}
    DEPENDS ${sample_list} ${packfiles_deps}
    COMMENT "Packing the sample product into FILES.zlib"
    VERBATIM)
  add_custom_target(payload ALL DEPENDS ${PENNACLE_FILES_ZLIB})
endif()
