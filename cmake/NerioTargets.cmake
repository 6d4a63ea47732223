# Imported targets for OpenSceneGraph's libraries (its CMake module only sets variables), and the
# function that declares one platform library.

foreach(_osg_lib osg osgDB osgGA osgUtil osgViewer osgFX osgShadow osgText osgManipulator)
  string(TOUPPER ${_osg_lib} _osg_var)
  if(NOT ${_osg_var}_LIBRARY)
    message(FATAL_ERROR "OpenSceneGraph library ${_osg_lib} not found")
  endif()
  add_library(OSG::${_osg_lib} INTERFACE IMPORTED)
  set_target_properties(OSG::${_osg_lib} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${OPENSCENEGRAPH_INCLUDE_DIRS}"
    INTERFACE_LINK_LIBRARIES "${${_osg_var}_LIBRARY};${OPENTHREADS_LIBRARY}")
endforeach()
# The libraries OSG's own libraries need, so a target names only what it includes.
set_property(TARGET OSG::osgDB APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osg)
set_property(TARGET OSG::osgUtil APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osg)
set_property(TARGET OSG::osgGA APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osgDB OSG::osgUtil)
set_property(TARGET OSG::osgText APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osgDB)
set_property(TARGET OSG::osgViewer APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osgGA OSG::osgText OpenGL::GL)
set_property(TARGET OSG::osgFX APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osgUtil OSG::osgDB)
set_property(TARGET OSG::osgShadow APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osgUtil OSG::osgDB)
set_property(TARGET OSG::osgManipulator APPEND PROPERTY INTERFACE_LINK_LIBRARIES OSG::osgViewer)

# nerio_platform_library(<name> [HEADER_ONLY] SOURCES ... [PUBLIC ...] [PRIVATE ...])
# A stand-in library under platform/. Its include root is platform/ alone, so it sees other platform
# libraries ("vantor/command/Command.h", "osgqt/GraphicsWindowQt.h") but never the program's folders.
function(nerio_platform_library name)
  cmake_parse_arguments(L "HEADER_ONLY" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  list(TRANSFORM L_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  foreach(src ${L_SOURCES})
    if(NOT EXISTS ${src})
      message(FATAL_ERROR "${name}: missing source ${src}")
    endif()
  endforeach()
  if(L_HEADER_ONLY)
    add_library(${name} INTERFACE)
    target_sources(${name} INTERFACE ${L_SOURCES})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/platform)
    target_link_libraries(${name} INTERFACE ${L_PUBLIC})
    return()
  endif()
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/platform)
  target_link_libraries(${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  if("${L_PUBLIC};${L_PRIVATE}" MATCHES "Qt5::")
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# nerio_program_library(<name> <folder> [PUBLIC ...] [PRIVATE ...])
# One library of the program, made in <folder>'s CMakeLists.txt from that folder's sources. Its include
# root holds only a link to the folder, so its users write "<folder>/X.h", and a folder sees only its
# own headers and those of the libraries it links: an include of a folder above it does not build.
function(nerio_program_library name folder)
  cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${folder}-root)
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  add_library(${name} STATIC)
  # The forms' ui_*.h: the headers that hold a form are read by the libraries above as well.
  target_include_directories(${name} PUBLIC ${root} ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/include)
  target_link_libraries(${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
endfunction()
