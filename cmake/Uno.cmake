# LibreOffice's UNO API headers are not shipped prebuilt: generate them from
# the type libraries at build time and expose them through the `uno` target.
set(LO_PROGRAM_DIR /usr/lib/libreoffice/program CACHE PATH "LibreOffice program folder")
set(LO_SDK_DIR /usr/lib/libreoffice/sdk CACHE PATH "LibreOffice SDK folder")
set(UNO_INCLUDE_DIR ${CMAKE_BINARY_DIR}/uno-include)

add_custom_command(
  OUTPUT ${UNO_INCLUDE_DIR}/.generated
  COMMAND ${LO_SDK_DIR}/bin/cppumaker -Gc -O${UNO_INCLUDE_DIR}
          ${LO_PROGRAM_DIR}/types.rdb ${LO_PROGRAM_DIR}/types/offapi.rdb
  COMMAND ${CMAKE_COMMAND} -E touch ${UNO_INCLUDE_DIR}/.generated
  COMMENT "Generating UNO C++ headers")
add_custom_target(uno_headers DEPENDS ${UNO_INCLUDE_DIR}/.generated)

add_library(uno INTERFACE)
add_dependencies(uno uno_headers)
target_include_directories(uno SYSTEM INTERFACE ${UNO_INCLUDE_DIR} /usr/include/libreoffice)
target_compile_definitions(uno INTERFACE LINUX UNX CPPU_ENV=gcc3)
target_link_directories(uno INTERFACE ${LO_SDK_DIR}/lib)
target_link_libraries(uno INTERFACE uno_cppuhelpergcc3 uno_cppu uno_sal)
target_link_options(uno INTERFACE -Wl,-rpath,${LO_PROGRAM_DIR})
