# Active route, direct flight and target navigation: the figures, the route data, the route
# line, and the model of the route's waypoint grid (Qt Core and Gui only, no widgets).
target_sources(tvflight PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RouteGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RouteNav.cpp
)
