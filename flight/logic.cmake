# Plain logic of the flight mode: the map display model, the picture-box drawing surface over a
# QImage, caption numbers, wind and true airspeed. Qt Gui for QImage/QPainter, no widgets.
add_library(tvflight STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DrawSurface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MapView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindCalc.cpp
)
target_link_libraries(tvflight PUBLIC tvcore Qt6::Core Qt6::Gui)

# Further plain-logic pieces of the flight mode, one file each, adding their sources to tvflight.
foreach(piece IN ITEMS overlay route instruments track)
    include(${CMAKE_CURRENT_LIST_DIR}/${piece}.cmake OPTIONAL)
endforeach()
