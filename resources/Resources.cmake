# Compiled-in resources: the dictionary sources under resources/lang/<language>/ (UTF-8) are converted to
# the code page and coded by zembrio-dict at build time. Included by the top-level list so that the
# generated source can join zembriolib directly.

# A host tool with no dependency on zembriolib, which needs its output.
add_executable(zembrio-dict ${CMAKE_SOURCE_DIR}/tools/zembrio-dict.cpp
  ${CMAKE_SOURCE_DIR}/shell/CodedBuffer.cpp ${CMAKE_SOURCE_DIR}/platform/CodePage.cpp)
target_include_directories(zembrio-dict PRIVATE ${CMAKE_SOURCE_DIR})

file(GLOB ZEMBRIO_PROJECT_DICTIONARIES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/lang/*/project.dict)
file(GLOB ZEMBRIO_APPLICATION_DICTIONARIES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/lang/*/application.dict)
set(dictionary_arguments)
foreach(source IN LISTS ZEMBRIO_PROJECT_DICTIONARIES ZEMBRIO_APPLICATION_DICTIONARIES)
  get_filename_component(folder ${source} DIRECTORY)
  get_filename_component(language ${folder} NAME)
  get_filename_component(kind ${source} NAME_WE)
  if(kind STREQUAL "project")
    list(APPEND dictionary_arguments --ldi ${language} ${source})
  else()
    list(APPEND dictionary_arguments --app ${language} ${source})
  endif()
endforeach()

set(ZEMBRIO_RESOURCE_SOURCES ${CMAKE_BINARY_DIR}/generated/BuiltinResources.cpp)
add_custom_command(OUTPUT ${ZEMBRIO_RESOURCE_SOURCES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND zembrio-dict --cpp ${ZEMBRIO_RESOURCE_SOURCES} ${dictionary_arguments}
  DEPENDS zembrio-dict ${ZEMBRIO_PROJECT_DICTIONARIES} ${ZEMBRIO_APPLICATION_DICTIONARIES}
  COMMENT "Coding the dictionaries into compiled-in resources"
  VERBATIM)

# zembrio_coded_dictionary(SOURCE OUTPUT): a coded .ldx file made from a dictionary source at build time;
# list OUTPUT among the DEPENDS of whatever needs it.
function(zembrio_coded_dictionary source output)
  add_custom_command(OUTPUT ${output}
    COMMAND zembrio-dict --ldx ${source} ${output}
    DEPENDS zembrio-dict ${source}
    COMMENT "Coding ${source}"
    VERBATIM)
endfunction()
