# The project version as the plug-ins report it (a vendor version number: 1.2.3 reads 1203) and as
# the Windows version resource of each plug-in carries it.
if(PROJECT_VERSION_MINOR GREATER 9 OR PROJECT_VERSION_PATCH GREATER 99)
  message(FATAL_ERROR "version ${PROJECT_VERSION}: the vendor version number holds a minor "
                      "number up to 9 and a patch number up to 99")
endif()
math(EXPR PLUGIN_VENDOR_VERSION
     "${PROJECT_VERSION_MAJOR} * 1000 + ${PROJECT_VERSION_MINOR} * 100 + ${PROJECT_VERSION_PATCH}")

set(PLUGIN_VERSION_DIR ${CMAKE_BINARY_DIR}/generated/version)
configure_file(${CMAKE_CURRENT_LIST_DIR}/plugin_version.h.in ${PLUGIN_VERSION_DIR}/plugin_version.h
               @ONLY)
add_library(plugin_version INTERFACE)
target_include_directories(plugin_version INTERFACE ${PLUGIN_VERSION_DIR})

if(WIN32)
  enable_language(RC)
endif()

# add_version_resource(TARGET PRODUCT DESCRIPTION): the file properties a user reads in Explorer.
function(add_version_resource target product description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(file_name ${target} OUTPUT_NAME)
  set(RESOURCE_PRODUCT ${product})
  set(RESOURCE_DESCRIPTION ${description})
  set(RESOURCE_FILE_NAME ${file_name}.dll)
  set(rc_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_resource.rc.in ${rc_file} @ONLY)
  target_sources(${target} PRIVATE ${rc_file})
endfunction()
