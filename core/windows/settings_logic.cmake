# Plain logic behind the settings window, without widgets: the serial line assembler (shared with
# the flight window), the QNH and track interval rules and the waypoint category operations.
add_library(tvsettings_logic STATIC
    ${CMAKE_SOURCE_DIR}/core/Categories.cpp
    ${CMAKE_SOURCE_DIR}/core/LineAssembler.cpp
    ${CMAKE_SOURCE_DIR}/core/SettingsRules.cpp
)
target_link_libraries(tvsettings_logic PUBLIC tvcore tvplatform)

# The settings window uses it (this file is included after tvcore_ui is defined).
if(TARGET tvcore_ui)
    target_link_libraries(tvcore_ui PUBLIC tvsettings_logic)
endif()
