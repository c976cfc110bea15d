# Builds the picture generator and draws the panel's ten pictures into the run
# folder's Bitmap folder, where the program reads them.
file(GLOB MAKE_PICTURES_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/pictures/*.cpp)
add_executable(make_pictures ${MAKE_PICTURES_SOURCES}
  ${CMAKE_SOURCE_DIR}/src/platform/picture.cpp ${CMAKE_SOURCE_DIR}/src/platform/canvas.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/fonts.cpp ${CMAKE_SOURCE_DIR}/src/platform/pictures.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/working_dir.cpp
  ${CMAKE_SOURCE_DIR}/src/ui/layout.cpp)
target_include_directories(make_pictures PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tools/pictures)
target_link_libraries(make_pictures PRIVATE PkgConfig::SDL2 PkgConfig::SDL2TTF PkgConfig::FONTCONFIG)

set(PICTURE_DIR ${RUN_DIR}/Bitmap)
set(PICTURE_FILES)
foreach(name Player Tuning SlidebarU_Mask SlidebarU SlidebarL SpinButton_Up SpinButton_Down
             SpinButton_Off NoteBackGround HintBackGround)
  list(APPEND PICTURE_FILES ${PICTURE_DIR}/${name}.bmp)
endforeach()
add_custom_command(OUTPUT ${PICTURE_FILES}
  COMMAND make_pictures ${PICTURE_DIR}
  DEPENDS make_pictures
  COMMENT "Drawing the panel pictures")
add_custom_target(pictures ALL DEPENDS ${PICTURE_FILES})

# The program's icon, drawn by the same tool at the sizes a desktop asks for
# most, laid out as the icon theme is (installed with the program).
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_SIZES 48 64 128 256)
set(ICON_FILES)
foreach(size ${ICON_SIZES})
  set(icon ${ICON_DIR}/hicolor/${size}x${size}/apps/slidora-quenlo.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND make_pictures --icon ${size} ${icon}
    DEPENDS make_pictures
    COMMENT "Drawing the ${size}x${size} icon")
  list(APPEND ICON_FILES ${icon})
endforeach()
add_custom_target(icons ALL DEPENDS ${ICON_FILES})
