# SPDX-License-Identifier: MIT
#Demo.exe : the program's logic in a plain Win32 window, linked at load time
#against vexa.dll.Its dialogs are built in memory from the same templates
#as the Qt window's; the resource script brings the icon and the background.
set(DEMO_RES_DIR ${CMAKE_CURRENT_SOURCE_DIR}/res)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/win32/demo.rc.in ${CMAKE_CURRENT_BINARY_DIR}/demo.rc
               @ONLY)
file(GLOB DEMO_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
add_executable(Demo WIN32 ${DEMO_WIN32_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/demo.rc)
target_link_libraries(Demo PRIVATE demo_logic vexa user32 gdi32 shell32)
vexa_internal(Demo)
# A copy runs on the simulator build of vexa.dll beside it.
add_custom_command(TARGET Demo POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Demo> ${CMAKE_BINARY_DIR}/${VEXA_SIM_FOLDER}/)
configure_file(${DEMO_HELP_FILE} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/demo-help.html COPYONLY)
install(TARGETS Demo RUNTIME DESTINATION .)
install(PROGRAMS $<TARGET_FILE:Demo> DESTINATION simulated)
install(FILES ${DEMO_HELP_FILE} DESTINATION .)
