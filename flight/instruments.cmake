# Course instrument: compass card artwork, VOR pointer, HSI, VOR navigation and waypoint lookup
# (plain logic, drawing on a DrawSurface).
target_sources(tvflight PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Instruments.cpp
)
