include(GenerateExportHeader)

# tavrix_add_library(<name> EXPORT_HEADER <path under include/> EXPORT_MACRO <macro>
#                    HEADERS <public headers, relative to include/> SOURCES ...)
# Builds a shared library with hidden visibility, a generated export header, the alias
# Tavrix::<name>, and the install rules for its targets and for exactly the listed headers.
function(tavrix_add_library name)
  cmake_parse_arguments(ARG "" "EXPORT_HEADER;EXPORT_MACRO" "HEADERS;SOURCES" ${ARGN})
  list(TRANSFORM ARG_HEADERS PREPEND include/ OUTPUT_VARIABLE header_paths)
  add_library(${name} SHARED ${header_paths} ${ARG_SOURCES})
  add_library(Tavrix::${name} ALIAS ${name})
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    OUTPUT_NAME tavrix_${name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME ${name})
  # clang links the sanitizer and fuzzer runtimes into executables only, so a sanitized library
  # leaves their symbols to the program that loads it.
  if(NOT TAVRIX_SANITIZE AND NOT TAVRIX_FUZZ)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  generate_export_header(${name}
    BASE_NAME ${name}
    EXPORT_MACRO_NAME ${ARG_EXPORT_MACRO}
    EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/include/${ARG_EXPORT_HEADER})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  install(TARGETS ${name} EXPORT TavrixApplicationCoreTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  foreach(header IN LISTS ARG_HEADERS ARG_EXPORT_HEADER)
    get_filename_component(folder ${header} DIRECTORY)
    if(header STREQUAL ARG_EXPORT_HEADER)
      set(file ${CMAKE_CURRENT_BINARY_DIR}/include/${header})
    else()
      set(file ${CMAKE_CURRENT_SOURCE_DIR}/include/${header})
    endif()
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder})
  endforeach()
endfunction()
