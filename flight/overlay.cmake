# Moving-map overlay: waypoint and airport symbols, the airport data file, the aircraft, the
# charts under the aircraft.
target_sources(tvflight PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AirportData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MapOverlay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MapSymbols.cpp
)
